#pragma once

#include "exercise/fill_settings.h"

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
} // namespace brivo::ui

namespace brivo::exercise::ui {

using brivo::ui::SpinEdit;
using brivo::ui::UpperCaseLineEdit;

// The controls of the random fill and the patterns: the nine series of the
// series page, the two fill lines, "GRP" and its menu.
class SeriesControls : public QObject {
    Q_OBJECT
public:
    SeriesControls(QWidget* seriesPage, QWidget* window);

    // The texts and ticks of the nine series, as the fill reads them.
    exercise::SeriesTexts seriesTexts() const;
    exercise::SeriesTicks seriesTicks() const;

    std::array<QCheckBox*, exercise::kSeriesCount> Selec{};
    std::array<UpperCaseLineEdit*, exercise::kSeriesCount> Serie{};
    QFrame* Bevel1 = nullptr;
    QFrame* Bevel2 = nullptr;

    QPushButton* BoutonRemplir = nullptr;
    QRadioButton* RBseries = nullptr;
    QRadioButton* RBdirect = nullptr;
    SpinEdit* CSpinEditGroupes = nullptr;
    QLabel* Label2 = nullptr;
    SpinEdit* CSpinEditLettres = nullptr;
    QLabel* Label3 = nullptr;
    SpinEdit* CSElettres = nullptr;
    QLabel* Label1 = nullptr;
    SpinEdit* CSEchiffres = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* BoutonGRP = nullptr;

    QMenu* PopupMenu2 = nullptr;
    std::array<QAction*, exercise::kPatternCount> Motif{};

private:
    void buildSeriesPage(QWidget* page);
    void buildFillLines(QWidget* window);
    void buildPatternMenu(QWidget* window);
};

} // namespace brivo::exercise::ui
