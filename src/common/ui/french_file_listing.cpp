#include "common/ui/french_file_listing.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace {
enum Column { kName, kSize, kType, kDate };
}

QVariant FrenchFileListing::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr || index.column() == kName)
        return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale french(QLocale::French, QLocale::France);
    switch (index.column()) {
    case kSize:
        return info.isDir() ? QString() : french.formattedDataSize(info.size(), 1);
    case kType:
        if (info.isDir())
            return u"Dossier"_s;
        return info.suffix().isEmpty() ? u"Fichier"_s : u"Fichier "_s + info.suffix().toUpper();
    case kDate:
        return french.toString(info.lastModified(), QLocale::ShortFormat);
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

} // namespace brivo::ui
