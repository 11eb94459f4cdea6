#pragma once

#include "common/ui/dialogs.h"
#include "editzone/colours.h"

#include <QObject>

#include <array>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QTextEdit;
class QWidget;

namespace brivo::ui {

// The edit zone: the rich-text zone, its mask, its menu button and its
// context menu with the two colour submenus.
class EditZone : public QObject {
    Q_OBJECT
public:
    explicit EditZone(QWidget* window);

    // The zone's text, without formatting, as the renderer keys it.
    QString plainText() const;

    QTextEdit* RichEdit = nullptr;
    QLabel* STmasquer = nullptr;
    QPushButton* BoutonMenu = nullptr;
    QPushButton* BoutonEffacer = nullptr;

    QMenu* PopupMenu1 = nullptr;
    QAction* Copier = nullptr;
    QAction* Couper = nullptr;
    QAction* CopierCouper = nullptr;
    QAction* Coller = nullptr;
    QAction* SelecTout = nullptr;
    QAction* N2 = nullptr;
    QAction* OuvrirData = nullptr;
    QAction* SauverData = nullptr;
    QAction* Convertir = nullptr;
    QAction* N1 = nullptr;
    QAction* Effacer = nullptr;
    QAction* Remplir = nullptr;
    QAction* MasquerZone = nullptr;
    QAction* N3 = nullptr;
    QMenu* CDT = nullptr;
    QMenu* CDF = nullptr;
    using ColourItems = std::array<QAction*, colours::kColourCount>;
    ColourItems textColourItems{};
    ColourItems backgroundColourItems{};

    // The file dialogs of the edit zone's menu, with the names they hold.
    FileDialogSpec OpenDialogData;
    FileDialogSpec SaveDialogData;
    QString openFileName;
    QString saveFileName = QStringLiteral("Morse.RTF");

private:
    void buildMenu(QWidget* window);
    void showMenuAt(QWidget* widget, const QPoint& position);
};

} // namespace brivo::ui
