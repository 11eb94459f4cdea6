#pragma once

#include <QIdentityProxyModel>

namespace brivo::ui {

// The file dialog's listing with its size, type and date columns in French
// ("4,9 Kio", "Dossier", "07/12/2026 13:50"): Qt formats them with the
// system's locale, which is often C, and leaves "Folder" untranslated.
// Its source is the dialog's QFileSystemModel.
class FrenchFileListing : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace brivo::ui
