#pragma once

#include "common/ui/dialogs.h"
#include "editzone/colours.h"
#include "editzone/text_scale.h"
#include "editzone/ui/scaled_text_edit.h"

#include <QObject>
#include <QTextCharFormat>

#include <array>
#include <cstdint>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QWidget;

namespace brivo::editzone::ui {

// The edit zone: the rich-text zone, its mask, its menu button and its
// context menu with the two colour submenus, and the commands of them all.
// It owns the text and background colours.
class EditZone : public QObject {
    Q_OBJECT
public:
    // Files larger than this are not opened into the zone.
    static constexpr qint64 kMaxFileBytes = qint64{16} * 1024 * 1024;
    // An RTF file of more paragraphs (about a megabyte) shows its progress.
    static constexpr std::size_t kParagraphsShownInProgress = 20000;

    EditZone(QWidget* window, brivo::ui::Dialogs& dialogs);

    // The zone's text, without formatting, as the renderer keys it.
    QString plainText() const;
    // The same with every line break as CR LF, as files and settings keep it.
    QString plainTextCrLf() const;
    // Replaces the text by `text`, in the zone's default attributes.
    void setPlainText(const QString& text);

    // The menu's commands.
    void CopierClick();
    void CouperClick(); // deletes the selection, the clipboard untouched
    void CopierCouperClick();
    void CollerClick();
    void SelecToutClick();
    void OuvrirDataClick();
    void SauverDataClick();
    void ConvertirClick();
    void EffacerClick();
    void MasquerZoneClick();
    // The other controls.
    void BoutonEffacerClick();
    void BoutonMenuClick();
    void ImageLogoClick();
    void STmasquerClick();

    // The colour items (CDT, CDF) that sent the click; the main window as
    // sender applies the current colour instead of changing it.
    void CouleurTexteClick(QObject* sender);
    void CouleurFondClick(QObject* sender);
    std::uint32_t textColour() const { return textColour_; }
    std::uint32_t backgroundColour() const { return backgroundColour_; }
    // Colours restored from the settings, before the window applies them.
    void setColours(std::uint32_t text, std::uint32_t background);
    // The start-up steps: the restored text colour, then the background,
    // each through its click handler. A colour refused there (the two
    // equal) is not applied: it goes back to the system's.
    void applyStoredColours();

    // The display size of the zone's text, one of the percents offered by
    // the "Taille du texte" submenu; files and the clipboard keep 100 %.
    int textScale() const;
    void setTextScale(int percent);

    ScaledTextEdit* RichEdit = nullptr;
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
    QMenu* TailleTexte = nullptr;
    std::array<QAction*, editzone::kTextScales.size()> textScaleItems{};
    using ColourItems = std::array<QAction*, editzone::kColourCount>;
    ColourItems textColourItems{};
    ColourItems backgroundColourItems{};

    // The file dialogs of the menu, with the names they hold.
    brivo::ui::FileDialogSpec OpenDialogData;
    brivo::ui::FileDialogSpec SaveDialogData;
    QString openFileName;
    QString saveFileName = QStringLiteral("Morse.RTF");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu(QWidget* window);
    void connectCommands();
    void showMenuAt(QWidget* widget, const QPoint& position);
    // Puts the text back in the default attributes, selection kept.
    void reenterText();
    bool chooseColour(QObject* sender, bool background);
    void paintBackground();
    QTextCharFormat defaultFormat() const;

    QWidget* window_;
    brivo::ui::Dialogs& dialogs_;
    QTextCharFormat defaultFormat_; // font and style the text takes when entered plain, at 100 %
    std::uint32_t textColour_ = editzone::kSystemWindowText;
    std::uint32_t backgroundColour_ = editzone::kSystemWindow;
};

} // namespace brivo::editzone::ui
