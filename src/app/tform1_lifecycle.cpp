// The window's creation steps, its first showing and its close steps.
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/error_text.h"
#include "common/messages.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "common/ui/spin_edit.h"
#include "common/ui/widgets.h"
#include "editzone/colours.h"
#include "editzone/ui/edit_zone.h"
#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/ui/code_grid.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include <ctime>

namespace brivo::ui {

using namespace Qt::StringLiterals;

void TForm1::FormCreate()
{
    // An error skips the steps after the failing one; the window goes on
    // in the state reached.
    ErrorBox::guarded([this] {
        // Steps 1 and 2 (settings accessor, system menu) need nothing more
        // here: the system menu is built with its final entries.
        random_.seed(static_cast<std::int64_t>(std::time(nullptr)));
        startPosition_ = centredPosition();
        sound->ComboBoxFe->setCurrentIndex(sound::kInitialRateIndex);
        session_.restoreSampleRate(kDefaultSampleRate);
        editZone->STmasquer->resize(508, editZone->STmasquer->height());
        sound->CSdureeSP->setValue(sound::kSpacing.initial);
        seriesMode_ = false;
        editZone->setColours(editzone::kSystemWindowText, editzone::kSystemWindow);
        sound->CBmot->setCurrentIndex(0);
        loadSettings();
        move(startPosition_);
        sound->TBfreqChange();
        sound->TBsignalChange();
        sound->TBsouffleChange();
        sound->TBvitesseChange();
        RBseriesClick(this);
        // Steps 17 and 18: the stored colours, text first.
        editZone->applyStoredColours();
    })();
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Runs from the event loop right after the window is on screen.
    firstShow_->start();
}

void TForm1::onFirstShow()
{
    ErrorBox::guarded([this] {
        frameWait_->start();
        FormShow();
    })();
}

// The outer size, frame included, is known only once the window manager
// has framed the window, some time after the first showing: until then it
// is the client size, and a window centred on it sits a title bar too low.
// A stored position is the frame's too, but a window made native before it
// was moved (a settings box shown at start does that) is placed by its
// client. Without a frame after a second (no window manager), the client
// is placed.
void TForm1::placeOnceFramed()
{
    constexpr int kMaxWaits = 20; // of 50 ms
    if (frameGeometry() == geometry() && ++frameWaits_ < kMaxWaits)
        return; // the timer comes back
    frameWait_->stop();
    const QPoint target = positionRestored_ ? startPosition_ : centredPosition();
    if (frameGeometry().topLeft() != target)
        move(target);
}

QPoint TForm1::centredPosition() const
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = frameGeometry();
    return {centredOrigin(screen.width(), frame.width()), centredOrigin(screen.height(), frame.height())};
}

void TForm1::FormShow()
{
    const std::filesystem::path file = startFolder_ / kDefinitionFileName;
    if (!ensureDefinitionFile(file))
        dialogs_.message(this, fromUtf8(messages::kDefinitionCreateFailed), fromUtf8(messages::kDefinitionCreateTitle));
    Result<MorseTable> loaded = loadDefinitionFile(file);
    if (!loaded) {
        dialogs_.message(this, fromUtf8(messages::kDefinitionMissing), fromUtf8(messages::kDefinitionMissingTitle));
        close();
        return;
    }
    morseTable_ = std::move(*loaded);
    PageControl1->setCurrentWidget(TSprincipale);
    StringGridCW->fill(morseTable_);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        ErrorBox::guarded([this] { FormClose(); })();
    }
    event->accept();
}

int TForm1::closeForQuitSignal()
{
    quitBySignal_ = true;
    close();
    return settingsSaveFailed_ ? 1 : 0;
}

void TForm1::FormClose()
{
    session_.close();
    if (saveSettingsOnClose_)
        saveSettings();
    else
        purgeSettings();
}

} // namespace brivo::ui
