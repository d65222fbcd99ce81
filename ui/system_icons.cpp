#include "ui/system_icons.h"

#include <QFileInfo>
#include <QMimeDatabase>

namespace sumbrook::ui {

int TSystemIconList::IconIndex(const QString& path)
{
    const QFileInfo info(path);
    // The icon follows the file's type, so equal types share one entry.
    static const QMimeDatabase mimeTypes;
    // By name only: reading content would be slow on big lists and would
    // block on a pipe.
    const QString key = info.isDir() ? QStringLiteral("inode/directory")
                                     : mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension).name();
    if (const auto found = byKey_.constFind(key); found != byKey_.cend()) return *found;
    QIcon icon = QIcon::fromTheme(mimeTypes.mimeTypeForName(key).iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(mimeTypes.mimeTypeForName(key).genericIconName());
    if (icon.isNull()) icon = provider_.icon(info);
    icons_.push_back(icon);
    const int index = static_cast<int>(icons_.size()) - 1;
    byKey_.insert(key, index);
    return index;
}

QIcon TSystemIconList::Icon(int index) const
{
    if (index < 0 || index >= static_cast<int>(icons_.size())) return {};
    return icons_[static_cast<std::size_t>(index)];
}

} // namespace sumbrook::ui
