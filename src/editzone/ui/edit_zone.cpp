#include "editzone/ui/edit_zone.h"

#include "common/atomic_file.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/error_box.h"
#include "common/ui/focus_ring.h"
#include "common/ui/widgets.h"
#include "common/utf8.h"
#include "editzone/colours.h"
#include "editzone/rtf_reader.h"
#include "editzone/rtf_writer.h"
#include "editzone/ui/rich_text_qt.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <memory>
#include <span>

namespace brivo::editzone::ui {

using namespace brivo::ui; // the shared widgets and helpers

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

// A submenu of radio items, one per (object name, caption), into `items`.
QMenu* addRadioMenu(QMenu* parent, const QString& name, const QString& caption,
                    const QList<std::pair<QString, QString>>& entries, std::span<QAction*> items)
{
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = menu->addAction(entries[static_cast<qsizetype>(i)].second);
        items[i]->setObjectName(entries[static_cast<qsizetype>(i)].first);
        items[i]->setCheckable(true);
        group->addAction(items[i]);
    }
    return menu;
}

// One item per colour, the last one checked.
QMenu* addColourMenu(QMenu* parent, const QString& name, const QString& caption, EditZone::ColourItems& items,
                     bool background)
{
    QList<std::pair<QString, QString>> entries;
    for (std::size_t i = 0; i < editzone::kColourCount; ++i) {
        const auto& row = editzone::kColourRows[i];
        const std::string_view text =
            background && i + 1 == editzone::kColourCount ? editzone::kBackgroundStandardCaption : row.caption;
        entries.append({fromUtf8(background ? row.backgroundItem : row.textItem), fromUtf8(text)});
    }
    QMenu* menu = addRadioMenu(parent, name, caption, entries, items);
    items.back()->setChecked(true);
    return menu;
}

// One item per display size, the first (100 %) checked.
QMenu* addTextScaleMenu(QMenu* parent, std::array<QAction*, editzone::kTextScales.size()>& items)
{
    QList<std::pair<QString, QString>> entries;
    for (const int percent : editzone::kTextScales)
        entries.append({u"Taille%1"_s.arg(percent), percent == 100 ? u"Normale (100 %)"_s : u"%1 %"_s.arg(percent)});
    QMenu* menu = addRadioMenu(parent, u"TailleTexte"_s, u"Taille du texte"_s, entries, items);
    items.front()->setChecked(true);
    return menu;
}

} // namespace

EditZone::EditZone(QWidget* window, Dialogs& dialogs) : QObject(window), window_(window), dialogs_(dialogs)
{
    RichEdit = place(new ScaledTextEdit(window), layout::RichEdit);
    RichEdit->setAcceptRichText(true);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit->setTabChangesFocus(true); // the keyboard alone must leave the zone
    QFont zoneFont(u"Courier New"_s);
    zoneFont.setPixelSize(17);
    zoneFont.setBold(true);
    zoneFont.setFixedPitch(true);
    zoneFont.setStyleHint(QFont::TypeWriter);
    RichEdit->setFont(zoneFont);
    defaultFormat_.setFont(zoneFont);
    RichEdit->setCurrentCharFormat(defaultFormat());
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    RichEdit->installEventFilter(this);

    STmasquer = makeStaticText(window, layout::STmasquer, Border::Sunken);
    QFont maskFont(u"MS Sans Serif"_s);
    maskFont.setPixelSize(17);
    STmasquer->setFont(maskFont);
    QPalette maskPalette = STmasquer->palette();
    maskPalette.setColor(QPalette::WindowText, Qt::gray);
    STmasquer->setPalette(maskPalette);
    STmasquer->setAutoFillBackground(true);
    STmasquer->installEventFilter(this);
    FocusRing::showFocusOn(RichEdit, STmasquer);
    STmasquer->hide();

    BoutonMenu = makeButton(window, layout::BoutonMenu);
    QFont smallFont(u"Small Fonts"_s);
    smallFont.setPixelSize(8);
    BoutonMenu->setFont(smallFont);
    BoutonMenu->setContextMenuPolicy(Qt::CustomContextMenu);
    BoutonMenu->installEventFilter(this);
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
    connectCommands();
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
    TailleTexte = addTextScaleMenu(PopupMenu1, textScaleItems);
    // The keys are shown in the menu and handled by the zone and its
    // button only (eventFilter), not by the whole window.
    for (QAction* item : PopupMenu1->actions())
        item->setShortcutContext(Qt::WidgetShortcut);
}

void EditZone::connectCommands()
{
    const auto on = [this](QAction* item, void (EditZone::*handler)()) {
        connect(item, &QAction::triggered, this, ErrorBox::guarded([this, handler] { (this->*handler)(); }));
    };
    on(Copier, &EditZone::CopierClick);
    on(Couper, &EditZone::CouperClick);
    on(CopierCouper, &EditZone::CopierCouperClick);
    on(Coller, &EditZone::CollerClick);
    on(SelecTout, &EditZone::SelecToutClick);
    on(OuvrirData, &EditZone::OuvrirDataClick);
    on(SauverData, &EditZone::SauverDataClick);
    on(Convertir, &EditZone::ConvertirClick);
    on(Effacer, &EditZone::EffacerClick);
    on(MasquerZone, &EditZone::MasquerZoneClick);
    for (std::size_t i = 0; i < textScaleItems.size(); ++i)
        connect(textScaleItems[i], &QAction::triggered, this,
                ErrorBox::guarded([this, i] { setTextScale(editzone::kTextScales[i]); }));
    connect(BoutonEffacer, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonEffacerClick(); }));
    connect(BoutonMenu, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonMenuClick(); }));
    connect(PopupMenu1, &QMenu::triggered, this, [this] { RichEdit->setFocus(); });
    for (QAction* item : textColourItems)
        connect(item, &QAction::triggered, this, ErrorBox::guarded([this, item] { CouleurTexteClick(item); }));
    for (QAction* item : backgroundColourItems)
        connect(item, &QAction::triggered, this, ErrorBox::guarded([this, item] { CouleurFondClick(item); }));
}

void EditZone::showMenuAt(QWidget* widget, const QPoint& position)
{
    PopupMenu1->popup(widget->mapToGlobal(position));
}

// The raw text keeps non-breaking spaces (toPlainText would turn them into
// blanks); paragraph and line separators are keyed as line breaks.
QString EditZone::plainText() const
{
    return plainTextOf(*RichEdit->document());
}

QString EditZone::plainTextCrLf() const
{
    QString text = plainText();
    return text.replace(QChar::ParagraphSeparator, u"\r\n"_s).replace(QChar::LineSeparator, u"\r\n"_s);
}

int EditZone::textScale() const
{
    return RichEdit->scale();
}

void EditZone::setTextScale(int percent)
{
    RichEdit->setScale(percent);
    for (std::size_t i = 0; i < textScaleItems.size(); ++i)
        textScaleItems[i]->setChecked(editzone::kTextScales[i] == RichEdit->scale());
}

QTextCharFormat EditZone::defaultFormat() const
{
    QTextCharFormat format = rescaledFormat(defaultFormat_, 100, RichEdit->scale());
    if (textColour_ == editzone::kSystemWindowText)
        format.clearForeground();
    else
        format.setForeground(toQColor(textColour_));
    return format;
}

void EditZone::setPlainText(const QString& text)
{
    RichEdit->clear();
    QTextCursor cursor(RichEdit->document());
    cursor.insertText(text, defaultFormat());
    RichEdit->setCurrentCharFormat(defaultFormat());
}

void EditZone::CopierClick()
{
    RichEdit->copyKept();
}

void EditZone::CouperClick()
{
    RichEdit->textCursor().removeSelectedText();
}

void EditZone::CopierCouperClick()
{
    RichEdit->cutKept();
}

void EditZone::CollerClick()
{
    RichEdit->paste();
}

void EditZone::SelecToutClick()
{
    RichEdit->selectAll();
}

void EditZone::EffacerClick()
{
    RichEdit->clear();
    RichEdit->setCurrentCharFormat(defaultFormat());
    RichEdit->document()->setModified(false);
}

void EditZone::BoutonEffacerClick()
{
    EffacerClick();
}

void EditZone::MasquerZoneClick()
{
    STmasquer->setVisible(!STmasquer->isVisible());
    if (STmasquer->isVisible())
        STmasquer->raise();
}

void EditZone::ImageLogoClick()
{
    MasquerZoneClick();
}

void EditZone::STmasquerClick()
{
    STmasquer->hide();
}

void EditZone::BoutonMenuClick()
{
    // Escape gives the keyboard back to "m"; an item chosen gives it to the
    // zone it worked on (connected once, with the menu).
    BoutonMenu->setFocus();
    PopupMenu1->popup(window_->frameGeometry().topLeft() + QPoint(280, 54));
}

// A file is rich text when its name ends with ".rtf", in any case; the
// filter chosen in the dialog never decides.
static bool isRichTextName(const QString& path)
{
    return QFileInfo(path).fileName().endsWith(u".rtf"_s, Qt::CaseInsensitive);
}

// Read and understood whole before the zone is touched: a failure leaves
// the zone as it was.
void EditZone::OuvrirDataClick()
{
    const std::optional<QString> chosen = dialogs_.openFileName(window_, OpenDialogData, openFileName);
    if (!chosen)
        return;
    openFileName = *chosen;
    const std::string path = chosen->toStdString();
    const Result<std::string> bytes = readFileBytes(path, kMaxFileBytes);
    if (!bytes) {
        ErrorBox::show(QString::fromStdString(bytes.error().code == ErrorCode::TooLong
                                                  ? messages::fileTooLarge(path)
                                                  : messages::cannotOpen(path, bytes.error().message)));
        return;
    }
    if (isRichTextName(*chosen) && editzone::looksLikeRtf(*bytes)) {
        if (const Result<editzone::Document> rich = editzone::readRtf(*bytes)) {
            // A long file takes seconds: its progress shows, and the window
            // keeps painting (but takes no input) meanwhile.
            std::unique_ptr<QProgressDialog> shown;
            FillProgress progress;
            if (rich->paragraphs.size() > kParagraphsShownInProgress) {
                shown =
                    std::make_unique<QProgressDialog>(u"Ouverture de « %1 »..."_s.arg(QFileInfo(*chosen).fileName()),
                                                      QString(), 0, static_cast<int>(rich->paragraphs.size()), window_);
                shown->setWindowModality(Qt::WindowModal);
                shown->setMinimumDuration(0);
                progress = [&shown](std::size_t done, std::size_t) {
                    shown->setValue(static_cast<int>(done));
                    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                };
            }
            // The file's sizes are at 100 %: the whole text is scaled after.
            const int scale = RichEdit->scale();
            fillDocument(*RichEdit->document(), *rich, rescaledFormat(defaultFormat(), scale, 100), progress);
            rescaleDocument(*RichEdit->document(), 100, scale);
            RichEdit->moveCursor(QTextCursor::Start);
            return;
        }
    }
    setPlainText(QString::fromStdString(textFileToUtf8(*bytes)));
}

// Written beside the target and renamed over it: a failure leaves the old
// file whole.
void EditZone::SauverDataClick()
{
    const std::optional<QString> chosen = dialogs_.saveFileName(window_, SaveDialogData, saveFileName);
    if (!chosen)
        return;
    saveFileName = *chosen;
    std::string bytes;
    if (isRichTextName(*chosen)) {
        // The file keeps the sizes at 100 %.
        std::unique_ptr<QTextDocument> kept;
        if (RichEdit->scale() != 100) {
            kept.reset(RichEdit->document()->clone());
            rescaleDocument(*kept, RichEdit->scale(), 100);
        }
        bytes = editzone::writeRtf(documentOf(kept ? *kept : *RichEdit->document()));
    } else {
        bytes = plainTextCrLf().toStdString();
    }
    const std::string path = chosen->toStdString();
    if (const Result<void> written = writeFileAtomically(path, bytes); !written)
        ErrorBox::show(QString::fromStdString(messages::cannotSave(path, written.error().message)));
}

void EditZone::reenterText()
{
    const QTextCursor before = RichEdit->textCursor();
    const int start = before.selectionStart();
    const int length = before.selectionEnd() - start;
    setPlainText(plainText());
    QTextCursor cursor = RichEdit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    RichEdit->setTextCursor(cursor);
}

void EditZone::ConvertirClick()
{
    QFont uniform(u"Courier New"_s);
    uniform.setPointSize(10);
    uniform.setBold(true);
    uniform.setItalic(false);
    uniform.setUnderline(false);
    uniform.setStrikeOut(false);
    uniform.setFixedPitch(true);
    uniform.setStyleHint(QFont::TypeWriter);
    defaultFormat_ = QTextCharFormat();
    defaultFormat_.setFont(uniform);
    reenterText();
}

void EditZone::setColours(std::uint32_t text, std::uint32_t background)
{
    textColour_ = text;
    backgroundColour_ = background;
}

void EditZone::applyStoredColours()
{
    const bool textRefused = textColour_ != editzone::kSystemWindowText && !chooseColour(window_, false);
    if (textColour_ != editzone::kSystemWindowText && !textRefused)
        reenterText();
    const bool backgroundRefused = backgroundColour_ != editzone::kSystemWindow && !chooseColour(window_, true);
    if (backgroundColour_ != editzone::kSystemWindow && !backgroundRefused)
        paintBackground();
    if (textRefused) {
        textColour_ = editzone::kSystemWindowText;
        chooseColour(window_, false);
        reenterText();
    }
    if (backgroundRefused) {
        backgroundColour_ = editzone::kSystemWindow;
        chooseColour(window_, true);
        paintBackground();
    }
}

namespace {

// The row of `sender` among `items`, or none.
std::optional<std::size_t> rowOf(const EditZone::ColourItems& items, QObject* sender)
{
    const auto found = std::find(items.begin(), items.end(), sender);
    if (found == items.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - items.begin());
}

// The row whose value is `colour`, or none for a value of no row.
std::optional<std::size_t> rowOfValue(std::uint32_t colour, bool background)
{
    for (std::size_t i = 0; i < editzone::kColourCount; ++i) {
        if (editzone::colourValue(i, background) == colour)
            return i;
    }
    return std::nullopt;
}

void check(EditZone::ColourItems& items, std::optional<std::size_t> row)
{
    QActionGroup* group = items[0]->actionGroup();
    if (!row) {
        // A value of no row: no item carries the check mark.
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (QAction* item : items)
            item->setChecked(false);
        return;
    }
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    items[*row]->setChecked(true);
}

} // namespace

// The colour of the sender's row (or, from the window, the current one
// with its row), unless the other colour has that very value.
bool EditZone::chooseColour(QObject* sender, bool background)
{
    ColourItems& items = background ? backgroundColourItems : textColourItems;
    std::uint32_t& current = background ? backgroundColour_ : textColour_;
    std::optional<std::size_t> row = rowOf(items, sender);
    if (!row && sender != window_)
        return false;
    const std::uint32_t colour = row ? editzone::colourValue(*row, background) : current;
    if (!row)
        row = rowOfValue(colour, background);
    if (colour == (background ? textColour_ : backgroundColour_)) {
        dialogs_.message(window_, fromUtf8(background ? messages::kSameBackgroundColour : messages::kSameTextColour),
                         fromUtf8(messages::kColourTitle));
        check(items, rowOfValue(current, background)); // the click does not move the mark
        return false;
    }
    current = colour;
    check(items, row);
    return true;
}

void EditZone::CouleurTexteClick(QObject* sender)
{
    if (chooseColour(sender, false))
        reenterText();
}

void EditZone::CouleurFondClick(QObject* sender)
{
    if (chooseColour(sender, true))
        paintBackground();
}

void EditZone::paintBackground()
{
    QPalette palette = RichEdit->palette();
    palette.setColor(QPalette::Base, backgroundColour_ == editzone::kSystemWindow
                                         ? window_->palette().color(QPalette::Base)
                                         : toQColor(backgroundColour_));
    RichEdit->setPalette(palette);
}

// The menu's keys, while the zone or its button has the focus.
bool EditZone::eventFilter(QObject* watched, QEvent* event)
{
    // Masked, the zone reads as nothing to a screen reader; each change is
    // said.
    if (watched == STmasquer && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        const bool masked = event->type() == QEvent::Show;
        setAccessibleMasked(RichEdit, masked, u"Zone d'édition masquée"_s);
        announce(RichEdit, masked ? u"Zone d'édition masquée"_s : u"Zone d'édition visible"_s);
    }
    if (watched == STmasquer && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        ErrorBox::guarded([this] { STmasquerClick(); })();
        return true;
    }
    if ((watched == RichEdit || watched == BoutonMenu) &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto* press = static_cast<QKeyEvent*>(event);
        // Shift+F10 opens the menu, as the Menu key does.
        if (press->key() == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier) {
            press->accept();
            if (event->type() == QEvent::KeyPress) {
                if (watched == RichEdit)
                    showMenuAt(RichEdit->viewport(), RichEdit->cursorRect().bottomLeft());
                else
                    showMenuAt(BoutonMenu, BoutonMenu->rect().bottomLeft());
            }
            return true;
        }
        if (press->modifiers() != Qt::ControlModifier)
            return false;
        for (QAction* item : PopupMenu1->actions()) {
            if (!item->shortcut().isEmpty() && item->shortcut()[0].key() == press->key()) {
                // Claimed before the zone's own keys (its Ctrl+X would cut).
                press->accept();
                if (event->type() == QEvent::KeyPress)
                    item->trigger();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace brivo::editzone::ui
