#include "editzone/ui/edit_zone.h"

#include "common/ui/widgets.h"
#include "editzone/colours.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

namespace brivo::ui {

using namespace Qt::StringLiterals;

namespace layout {
constexpr ControlSpec RichEdit{"RichEdit", {102, 24, 507, 190}};
constexpr ControlSpec STmasquer{
    "STmasquer", {102, 24, 445, 190}, "Zone d'édition masquée", "Cliquez pour démasquer la zone d'édition (ou Alt+X)"};
constexpr ControlSpec BoutonMenu{"BoutonMenu", {572, 199, 15, 13}, "m", "Menu de la zone d'édition"};
constexpr ControlSpec BoutonEffacer{
    "BoutonEffacer", {5, 367, 101, 24}, "&Effacer l'écran", "Supprime tout le contenu de la zone de saisie"};
} // namespace layout

namespace {

QAction* addItem(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    return item;
}

QAction* addSeparator(QMenu* menu, const QString& name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

// A submenu of radio items, one per colour, the last one checked.
QMenu* addColourMenu(QMenu* parent, const QString& name, const QString& caption, EditZone::ColourItems& items,
                     bool background)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (std::size_t i = 0; i < colours::kColourCount; ++i) {
        const auto& row = colours::kColourRows[i];
        const std::string_view text =
            background && i + 1 == colours::kColourCount ? colours::kBackgroundStandardCaption : row.caption;
        QAction* item = menu->addAction(fromUtf8(text));
        item->setObjectName(fromUtf8(background ? row.backgroundItem : row.textItem));
        item->setCheckable(true);
        group->addAction(item);
        items[i] = item;
    }
    items.back()->setChecked(true);
    return menu;
}

} // namespace

EditZone::EditZone(QWidget* window) : QObject(window)
{
    RichEdit = place(new QTextEdit(window), layout::RichEdit);
    RichEdit->setAcceptRichText(true);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont zoneFont(u"Courier New"_s);
    zoneFont.setPixelSize(17);
    zoneFont.setBold(true);
    zoneFont.setFixedPitch(true);
    zoneFont.setStyleHint(QFont::TypeWriter);
    RichEdit->setFont(zoneFont);
    RichEdit->setTextColor(Qt::black);
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);

    STmasquer = makeStaticText(window, layout::STmasquer, Border::Sunken);
    QFont maskFont(u"MS Sans Serif"_s);
    maskFont.setPixelSize(17);
    STmasquer->setFont(maskFont);
    QPalette maskPalette = STmasquer->palette();
    maskPalette.setColor(QPalette::WindowText, Qt::gray);
    STmasquer->setPalette(maskPalette);
    STmasquer->hide();

    BoutonMenu = makeButton(window, layout::BoutonMenu);
    QFont smallFont(u"Small Fonts"_s);
    smallFont.setPixelSize(8);
    BoutonMenu->setFont(smallFont);
    BoutonMenu->setContextMenuPolicy(Qt::CustomContextMenu);

    BoutonEffacer = makeButton(window, layout::BoutonEffacer);

    buildMenu(window);
    // Rich text or, with the second filter, any file as plain text. Names
    // are case-sensitive here, so both spellings of the extension show.
    const QStringList filters = {u"Fichiers Textes enrichis (*.RTF *.rtf)"_s,
                                 u"Fichiers Textes bruts (*.TXT, etc.) (*)"_s};
    OpenDialogData.nameFilters = filters;
    OpenDialogData.defaultSuffix = u"RTF"_s;
    OpenDialogData.folderMustExist = true;
    OpenDialogData.fileMustExist = true;
    SaveDialogData.nameFilters = filters;
    SaveDialogData.defaultSuffix = u"RTF"_s;
    SaveDialogData.confirmOverwrite = true;

    connect(RichEdit, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showMenuAt(RichEdit->viewport(), at); });
    connect(BoutonMenu, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showMenuAt(BoutonMenu, at); });
}

void EditZone::buildMenu(QWidget* window)
{
    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    Copier = addItem(PopupMenu1, u"Copier"_s, u"Copier"_s, QKeySequence(u"Ctrl+C"_s));
    Couper = addItem(PopupMenu1, u"Couper"_s, u"Couper"_s, QKeySequence(u"Ctrl+X"_s));
    CopierCouper = addItem(PopupMenu1, u"CopierCouper"_s, u"Copier puis couper"_s, QKeySequence(u"Ctrl+W"_s));
    Coller = addItem(PopupMenu1, u"Coller"_s, u"Coller"_s, QKeySequence(u"Ctrl+V"_s));
    SelecTout = addItem(PopupMenu1, u"SelecTout"_s, u"Sélectionner tout"_s, QKeySequence(u"Ctrl+A"_s));
    N2 = addSeparator(PopupMenu1, u"N2"_s);
    OuvrirData = addItem(PopupMenu1, u"OuvrirData"_s, u"Ouvrir un fichier..."_s, QKeySequence(u"Ctrl+O"_s));
    SauverData = addItem(PopupMenu1, u"SauverData"_s, u"Enregistrer dans un fichier..."_s, QKeySequence(u"Ctrl+S"_s));
    Convertir = addItem(PopupMenu1, u"Convertir"_s, u"Tout convertir en 'Courier New'"_s, QKeySequence(u"Ctrl+N"_s));
    N1 = addSeparator(PopupMenu1, u"N1"_s);
    Effacer = addItem(PopupMenu1, u"Effacer"_s, u"Effacer"_s, QKeySequence(u"Ctrl+E"_s));
    Remplir = addItem(PopupMenu1, u"Remplir"_s, u"Remplir"_s, QKeySequence(u"Ctrl+R"_s));
    MasquerZone = addItem(PopupMenu1, u"MasquerZone"_s, u"(Dé)masquer la zone d'édition"_s, QKeySequence(u"Ctrl+M"_s));
    N3 = addSeparator(PopupMenu1, u"N3"_s);
    CDT = addColourMenu(PopupMenu1, u"CDT"_s, u"Couleur du texte"_s, textColourItems, false);
    CDF = addColourMenu(PopupMenu1, u"CDF"_s, u"Couleur de fond"_s, backgroundColourItems, true);
}

void EditZone::showMenuAt(QWidget* widget, const QPoint& position)
{
    PopupMenu1->popup(widget->mapToGlobal(position));
}

// The raw text keeps non-breaking spaces (toPlainText would turn them into
// blanks); paragraph and line separators are keyed as line breaks.
QString EditZone::plainText() const
{
    return RichEdit->document()->toRawText();
}

} // namespace brivo::ui
