#pragma once

#include <QObject>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QWidget;

namespace brivo::ui {

class SpinEdit;
class UpperCaseLineEdit;

// The controls of the random fill and the patterns: the nine series of the
// series page, the two fill lines, "GRP" and its menu.
class SeriesControls : public QObject {
    Q_OBJECT
public:
    SeriesControls(QWidget* seriesPage, QWidget* window);

    std::array<QCheckBox*, 9> Selec{};
    std::array<UpperCaseLineEdit*, 9> Serie{};
    QFrame* Bevel1;
    QFrame* Bevel2;

    QPushButton* BoutonRemplir;
    QRadioButton* RBseries;
    QRadioButton* RBdirect;
    SpinEdit* CSpinEditGroupes;
    QLabel* Label2;
    SpinEdit* CSpinEditLettres;
    QLabel* Label3;
    SpinEdit* CSElettres;
    QLabel* Label1;
    SpinEdit* CSEchiffres;
    QLabel* Label7;
    QPushButton* BoutonGRP;

    QMenu* PopupMenu2;
    std::array<QAction*, 9> Motif{};

private:
    void buildSeriesPage(QWidget* page);
    void buildFillLines(QWidget* window);
    void buildPatternMenu(QWidget* window);
};

} // namespace brivo::ui
