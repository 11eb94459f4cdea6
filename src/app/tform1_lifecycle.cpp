// The window's creation steps, its first showing and its close steps.
#include "app/shell_rules.h"
#include "app/tform1.h"
#include "audio/ui/sound_controls.h"
#include "common/ui/dialogs.h"
#include "common/ui/error_box.h"
#include "common/ui/spin_edit.h"
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
    try {
        // Steps 1 and 2 (settings accessor, system menu) need nothing more
        // here: the system menu is built with its final entries.
        random.seed(static_cast<std::int64_t>(std::time(nullptr)));
        PlayerOpen = false;
        // The outer size, frame included, is known once the window manager
        // has framed the window; before the first showing it is the client
        // size.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        startPosition = {shell::centredOrigin(screen.width(), frameGeometry().width()),
                         shell::centredOrigin(screen.height(), frameGeometry().height())};
        sound->ComboBoxFe->setCurrentIndex(2);
        SampleRate = 11025;
        editZone->STmasquer->resize(508, editZone->STmasquer->height());
        sound->CSdureeSP->setValue(1);
        SeriesMode = false;
        BackgroundColour = colours::kSystemWindow;
        TextColour = colours::kSystemWindowText;
        sound->CBmot->setCurrentIndex(0);
        // Steps 12 and 13: no settings store yet, so nothing is restored.
        move(startPosition);
        sound->TBfreqChange();
        sound->TBsignalChange();
        sound->TBsouffleChange();
        sound->TBvitesseChange();
        RBseriesClick(this);
    } catch (const std::exception& error) {
        // The steps after the failing one are skipped; the window goes on
        // in the state reached.
        ErrorBox::show(error);
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    // Runs from the event loop right after the window is on screen.
    QMetaObject::invokeMethod(this, "onFirstShow", Qt::QueuedConnection);
}

void TForm1::onFirstShow()
{
    ErrorBox::guarded([this] { FormShow(); })();
}

void TForm1::FormShow()
{
    const std::string fileName(definitions::kFileName);
    if (definitions::ensureDefinitionFile(fileName) == definitions::EnsureResult::Failed) {
        dialogs_.message(this,
                         u"Les définitions du code morse se trouvent dans le\nfichier \"CODMORSE.INI\" ; celui-ci "
                         u"étant absent, le\nprogramme a tenté de le recréer, mais le disque\nsemble plein ou "
                         u"protégé en écriture"_s,
                         u"Erreur de création du fichier CODMORSE.INI"_s);
    }
    definitions::LoadResult loaded = definitions::loadDefinitionFile(fileName);
    if (!loaded.table) {
        dialogs_.message(this, u"Fichier CODMORSE.INI introuvable :\nLe programme va se fermer."_s,
                         u"Erreur d'exécution du programme"_s);
        close();
        return;
    }
    morseTable = *loaded.table;
    PageControl1->setCurrentWidget(TSprincipale);
    StringGridCW->fill(morseTable);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        ErrorBox::guarded([this] { FormClose(); })();
    }
    event->accept();
}

void TForm1::FormClose()
{
    if (PlayerOpen) {
        MediaPlayer1.device.close();
        PlayerOpen = false;
    }
    // Step 2, the settings save (or the purge), needs the settings store,
    // which the window does not have yet.
}

} // namespace brivo::ui
