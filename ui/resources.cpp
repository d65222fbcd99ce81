#include "ui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitSumbrookImages()
{
    Q_INIT_RESOURCE(images);
}

namespace sumbrook::ui {

void InitResources()
{
    InitSumbrookImages();
}

} // namespace sumbrook::ui
