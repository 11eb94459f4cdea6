#include "help/ui/help_window.h"

#include "common/file_io.h"
#include "common/messages.h"
#include "common/ui/error_box.h"
#include "common/ui/widgets.h"
#include "common/utf8.h"
#include "editzone/rtf_reader.h"
#include "editzone/ui/rich_text_qt.h"
#include "help/help_text.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace brivo::help::ui {

using namespace brivo::ui; // the shared widgets and helpers

using namespace Qt::StringLiterals;

namespace {

constexpr double kDesignDpi = 120.0;

} // namespace

TForm2::TForm2(const std::filesystem::path& startFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      startFolder_(startFolder)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        scale_ = screen->logicalDotsPerInch() / kDesignDpi;
    setObjectName(u"Form2"_s);
    setWindowTitle(u" Aide du programme BRIVO : "_s);
    setFixedSize(scaled(589), scaled(398));
    QFont windowFont(u"MS Sans Serif"_s);
    windowFont.setPixelSize(scaled(13));
    setFont(windowFont);

    Aide = new QTextEdit(this);
    Aide->setObjectName(u"Aide"_s);
    Aide->setGeometry(0, scaled(2), scaled(590), scaled(396));
    Aide->setReadOnly(true);
    Aide->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont helpFont(u"Courier New"_s);
    helpFont.setPixelSize(scaled(17));
    Aide->setFont(helpFont);
    // A Tab stop, read with the arrows; Tab itself moves on.
    Aide->setFocusPolicy(Qt::StrongFocus);
    Aide->setTabChangesFocus(true);
    Aide->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    BoutonFermerAide = new QPushButton(u"X"_s, this);
    BoutonFermerAide->setObjectName(u"BoutonFermerAide"_s);
    BoutonFermerAide->setGeometry(scaled(538), scaled(368), scaled(27), scaled(25));
    BoutonFermerAide->setDefault(true);
    connect(BoutonFermerAide, &QPushButton::clicked, this, ErrorBox::guarded([this] { BoutonFermerAideClick(); }));
    FormCreate();
}

int TForm2::scaled(int pixels) const
{
    return static_cast<int>(std::lround(pixels * scale_));
}

void TForm2::FormCreate()
{
    const std::filesystem::path file = startFolder_ / help::kFileName;
    std::error_code ignored;
    if (std::filesystem::exists(file, ignored)) {
        const Result<std::string> bytes = readFileBytes(file, std::uintmax_t{16} * 1024 * 1024);
        if (!bytes) {
            // The help stays empty and the program goes on.
            ErrorBox::show(QString::fromStdString(messages::cannotRead(file.string(), bytes.error().message)));
            return;
        }
        if (const Result<editzone::Document> rich = editzone::readRtf(*bytes))
            editzone::ui::fillDocument(*Aide->document(), *rich, Aide->currentCharFormat());
        else
            Aide->setPlainText(QString::fromStdString(textFileToUtf8(*bytes)));
        return;
    }
    QStringList lines;
    for (const std::string_view line : help::builtInLines())
        lines.append(fromUtf8(line));
    fitFontToWidestLine(lines);
    Aide->setPlainText(lines.join(u'\n'));
}

// The stand-in monospace font is wider than the one the box was drawn for:
// the font shrinks, a pixel at a time, until the widest line fits the box
// beside its scroll bar, so that no line wraps.
void TForm2::fitFontToWidestLine(const QStringList& lines)
{
    const int available = Aide->width() - 2 * Aide->frameWidth() - Aide->verticalScrollBar()->sizeHint().width() -
                          2 * static_cast<int>(std::ceil(Aide->document()->documentMargin())) - 1;
    QFont font = Aide->font();
    const auto widest = [&lines](const QFont& candidate) {
        const QFontMetricsF metrics(candidate);
        qreal width = 0;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return width;
    };
    while (font.pixelSize() > 8 && widest(font) > available)
        font.setPixelSize(font.pixelSize() - 1);
    Aide->setFont(font);
}

void TForm2::showHelp(bool activate)
{
    if (!placed_) {
        placeOnScreen(this, QPoint(234, 117)); // at its place, unless that is off the screen
        placed_ = true;
    }
    setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    show();
    raise();
    BoutonFermerAide->setFocus();
    if (activate)
        activateWindow();
}

void TForm2::BoutonFermerAideClick()
{
    hide();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    if (hideOnEscape(this, event))
        return;
    QWidget::keyPressEvent(event);
}

} // namespace brivo::help::ui
