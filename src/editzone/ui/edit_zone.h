#pragma once

#include "common/ui/dialogs.h"

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

    QTextEdit* RichEdit;
    QLabel* STmasquer;
    QPushButton* BoutonMenu;
    QPushButton* BoutonEffacer;

    QMenu* PopupMenu1;
    QAction* Copier;
    QAction* Couper;
    QAction* CopierCouper;
    QAction* Coller;
    QAction* SelecTout;
    QAction* N2;
    QAction* OuvrirData;
    QAction* SauverData;
    QAction* Convertir;
    QAction* N1;
    QAction* Effacer;
    QAction* Remplir;
    QAction* MasquerZone;
    QAction* N3;
    QMenu* CDT;
    QMenu* CDF;
    std::array<QAction*, 17> textColourItems{};
    std::array<QAction*, 17> backgroundColourItems{};

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
