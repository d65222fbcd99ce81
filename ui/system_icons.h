#pragma once

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QString>

#include <vector>

#include "workflow/ports.h"

namespace sumbrook::ui {

// The desktop's small file icons, gathered in one list with an index per
// distinct icon, so an entry keeps a number rather than a picture.
class TSystemIconList : public workflow::IconPort {
public:
    int IconIndex(const QString& path) override;
    QIcon Icon(int index) const;

private:
    QFileIconProvider provider_;
    std::vector<QIcon> icons_;
    QHash<QString, int> byKey_;
};

} // namespace sumbrook::ui
