#include "export/ui/export_dialog.h"

#include "common/ui/accessible_roles.h"
#include "common/ui/announcer.h"
#include "common/ui/widgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brivo::exporting::ui {

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u" Exporter :"_s;
constexpr int kProgressSteps = 20;

template <typename Widget> Widget* named(Widget* widget, const char* name, const QString& accessible)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessible);
    return widget;
}

QString fromStd(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

ExportDialog::ExportDialog(brivo::ui::Dialogs& dialogs, Source source, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), source_(std::move(source))
{
    brivo::ui::useFrenchNumbers(this);
    setObjectName(u"ExportDialog"_s);
    setWindowTitle(u"Exporter"_s);
    setWindowModality(Qt::WindowModal);
    targetDialog_.title = u"Exporter la leçon"_s;
    targetDialog_.confirmOverwrite = true;

    ComboFormat = named(new QComboBox(this), "ComboFormat", u"Format du fichier"_s);
    for (const ExportFormat f : kExportFormats)
        ComboFormat->addItem(fromStd(formatLabel(f)), static_cast<int>(f));
    SpinQualite = named(new QSpinBox(this), "SpinQualite", u"Qualité, de 0 à 10"_s);
    SpinQualite->setRange(0, 10);
    SpinQualite->setValue(5);
    ComboFrequence = named(new QComboBox(this), "ComboFrequence", u"Fréquence d'échantillonnage"_s);
    EditTitre = named(new QLineEdit(this), "EditTitre", u"Titre"_s);
    EditArtiste = named(new QLineEdit(this), "EditArtiste", u"Artiste"_s);
    EditAlbum = named(new QLineEdit(this), "EditAlbum", u"Album"_s);
    EditCommentaire = named(new QLineEdit(this), "EditCommentaire", u"Commentaire"_s);
    ComboDecoupe = named(new QComboBox(this), "ComboDecoupe", u"Découpe en pistes"_s);
    ComboDecoupe->addItems({u"un seul fichier"_s, u"une piste toutes les ... minutes"_s, u"une piste par ligne"_s});
    SpinMinutesDecoupe = named(new QDoubleSpinBox(this), "SpinMinutesDecoupe", u"Minutes par piste"_s);
    SpinMinutesDecoupe->setRange(0.5, 600);
    SpinMinutesDecoupe->setDecimals(1);
    SpinMinutesDecoupe->setValue(5);
    EditCible = named(new QLineEdit(this), "EditCible", u"Fichier à écrire"_s);
    BoutonParcourir = named(new QPushButton(u"&Parcourir..."_s, this), "BoutonParcourir", u"Choisir le fichier"_s);
    Progression = named(new QProgressBar(this), "Progression", u"Avancement de l'exportation"_s);
    Progression->setRange(0, kProgressSteps);
    Progression->setTextVisible(false);
    LabelEtat = new QLabel(this); // a screen reader reads its message as its name
    LabelEtat->setObjectName(u"LabelEtat"_s);
    BoutonExporter = named(new QPushButton(u"&Exporter"_s, this), "BoutonExporterLecon", u"Exporter la leçon"_s);
    BoutonExporter->setDefault(true);
    BoutonAnnuler = named(new QPushButton(u"Annuler"_s, this), "BoutonAnnuler", u"Annuler"_s);

    auto* form = new QFormLayout;
    form->addRow(u"&Format :"_s, ComboFormat);
    form->addRow(u"&Qualité (0 à 10) :"_s, SpinQualite);
    form->addRow(u"Fréquence (Hz) :"_s, ComboFrequence);
    form->addRow(u"&Titre :"_s, EditTitre);
    form->addRow(u"Artiste :"_s, EditArtiste);
    form->addRow(u"Album :"_s, EditAlbum);
    form->addRow(u"Commentaire :"_s, EditCommentaire);
    auto* splitRow = new QHBoxLayout;
    splitRow->addWidget(ComboDecoupe, 1);
    splitRow->addWidget(SpinMinutesDecoupe);
    // A row that is a layout gets no buddy of its own: Alt+D goes to the list.
    auto* splitLabel = new QLabel(u"&Découpe :"_s, this);
    splitLabel->setBuddy(ComboDecoupe);
    form->addRow(splitLabel, splitRow);
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(EditCible, 1);
    targetRow->addWidget(BoutonParcourir);
    form->addRow(u"Fichier :"_s, targetRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BoutonExporter);
    buttons->addWidget(BoutonAnnuler);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Progression);
    layout->addWidget(LabelEtat);
    layout->addLayout(buttons);
    resize(480, 0);

    connect(ComboFormat, &QComboBox::currentIndexChanged, this, [this] { formatChanged(); });
    connect(ComboDecoupe, &QComboBox::currentIndexChanged, this, [this] { splitChanged(); });
    connect(BoutonParcourir, &QPushButton::clicked, this, [this] { BoutonParcourirClick(); });
    connect(BoutonExporter, &QPushButton::clicked, this, [this] { BoutonExporterClick(); });
    connect(BoutonAnnuler, &QPushButton::clicked, this, [this] { BoutonAnnulerClick(); });
    setChoices(ExportChoices{});
    // The title follows the file's name until it is written by hand.
    connect(EditCible, &QLineEdit::textChanged, this, [this](const QString& target) {
        const QString name = QFileInfo(target).completeBaseName();
        if (EditTitre->text().isEmpty() || EditTitre->text() == titleFromName_)
            EditTitre->setText(name);
        titleFromName_ = name;
    });
    ComboFormat->setCurrentIndex(static_cast<int>(ExportFormat::Mp3));
    formatChanged();
    splitChanged();
    brivo::ui::nameSpinBoxesByTheirCaptions(this); // once the captions are in place
}

ExportDialog::~ExportDialog()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

ExportFormat ExportDialog::format() const
{
    return static_cast<ExportFormat>(ComboFormat->currentData().toInt());
}

void ExportDialog::formatChanged()
{
    // Only the rates the format takes; the one chosen stays when it can.
    const int chosen = ComboFrequence->currentData().isValid() ? ComboFrequence->currentData().toInt() : 44100;
    ComboFrequence->clear();
    for (const int rate : kExportRates) {
        if (!rateRefusal(format(), rate))
            ComboFrequence->addItem(QString::number(rate), rate);
    }
    const int same = ComboFrequence->findData(chosen);
    ComboFrequence->setCurrentIndex(same >= 0 ? same : ComboFrequence->count() - 1);
    SpinQualite->setEnabled(format() != ExportFormat::Wav);
    const QString extension = fromStd(formatExtension(format()));
    targetDialog_.nameFilters = {u"%1 (*%2)"_s.arg(fromStd(formatLabel(format())), extension)};
    targetDialog_.defaultSuffix = extension.mid(1);
    if (!EditCible->text().isEmpty()) {
        const QFileInfo target(EditCible->text());
        EditCible->setText(QDir(target.path()).filePath(target.completeBaseName() + extension));
    }
}

void ExportDialog::splitChanged()
{
    SpinMinutesDecoupe->setEnabled(ComboDecoupe->currentIndex() == 1);
}

void ExportDialog::showExport()
{
    const std::optional<ExportRequest> request = source_.request();
    if (!request)
        return;
    if (EditCible->text().isEmpty()) {
        const QString folder = folder_.isEmpty() ? QDir::homePath() : folder_;
        EditCible->setText(QDir(folder).filePath(u"lecon"_s + fromStd(formatExtension(format()))));
    }
    if (EditTitre->text().isEmpty())
        EditTitre->setText(QFileInfo(EditCible->text()).completeBaseName());
    EditCommentaire->setText(QString::fromStdString(
        defaultComment(request->render.parameters, ComboFrequence->currentData().toInt(), request->conditions)));
    Progression->setValue(0);
    LabelEtat->clear();
    brivo::ui::showOverParent(this);
}

void ExportDialog::BoutonParcourirClick()
{
    if (const std::optional<QString> chosen = dialogs_.saveFileName(this, targetDialog_, EditCible->text()))
        EditCible->setText(*chosen);
}

void ExportDialog::BoutonExporterClick()
{
    if (running())
        return;
    std::optional<ExportRequest> request = source_.request();
    if (!request)
        return;
    const QString target = EditCible->text().trimmed();
    if (target.isEmpty()) {
        dialogs_.message(this, u"Choisissez d'abord le fichier à écrire."_s, kTitle);
        return;
    }
    request->target = target.toStdString();
    request->format = format();
    request->quality = SpinQualite->value();
    request->render.parameters.sampleRateIndex = std::nullopt;
    request->render.previousSampleRate = ComboFrequence->currentData().toInt();
    const int split = ComboDecoupe->currentIndex();
    request->split = {split == 2   ? SplitSpec::Mode::Lines
                      : split == 1 ? SplitSpec::Mode::Minutes
                                   : SplitSpec::Mode::None,
                      SpinMinutesDecoupe->value()};
    request->tags = {EditTitre->text().toStdString(),
                     EditArtiste->text().toStdString(),
                     EditAlbum->text().toStdString(),
                     EditCommentaire->text().toStdString(),
                     0,
                     0};
    const std::vector<std::filesystem::path> replaced =
        filesReplaced(request->target, request->split.mode != SplitSpec::Mode::None);
    if (!replaced.empty()) {
        const QString question =
            replaced.size() == 1
                ? u"« %1 » existe déjà. Voulez-vous le remplacer ?"_s.arg(
                      QString::fromStdString(replaced[0].filename().string()))
                : u"%1 fichiers de cette exportation existent déjà (« %2 »...). Voulez-vous les remplacer ?"_s.arg(
                      QString::number(replaced.size()), QString::fromStdString(replaced[0].filename().string()));
        if (!dialogs_.confirm(this, question, kTitle))
            return;
    }
    folder_ = QFileInfo(target).absolutePath();

    cancel_ = false;
    BoutonExporter->setEnabled(false);
    BoutonAnnuler->setText(u"Annuler"_s);
    Progression->setValue(0);
    LabelEtat->setText(u"Exportation..."_s);
    // Qt's queue owns the calls posted back to this thread (the analyser
    // cannot see it take them).
    worker_ = std::jthread([this, job = *request, table = source_.table(), seed = source_.seed()] {
        RandomGenerator random;
        random.seed(seed);
        // The bar moves by steps of 5 %: each move is also told to a screen
        // reader, whose queue a stream of small moves would flood.
        std::atomic<int> shownStep{0};
        Result<ExportedLesson> result = exportLesson(
            job, table, random,
            [this, &shownStep](double done) {
                const int step = static_cast<int>(done * kProgressSteps);
                if (step <= shownStep.load())
                    return;
                shownStep.store(step);
                QMetaObject::invokeMethod( // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
                    this, [this, step] { Progression->setValue(step); }, Qt::QueuedConnection);
            },
            &cancel_);
        QMetaObject::invokeMethod( // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
            this, [this, ended = std::move(result)] { workEnded(ended); }, Qt::QueuedConnection);
    });
}

void ExportDialog::workEnded(const Result<ExportedLesson>& result)
{
    worker_.join();
    BoutonExporter->setEnabled(true);
    if (result) {
        Progression->setValue(Progression->maximum());
        const QString what = result->tracks.size() > 1
                                 ? u"%1 pistes et leur liste de lecture"_s.arg(result->tracks.size())
                                 : QString::fromStdString(result->tracks.front().filename().string());
        LabelEtat->setText(u"Exportation terminée : %1."_s.arg(what));
    } else if (result.error().code == ErrorCode::Cancelled) {
        Progression->setValue(0);
        LabelEtat->setText(u"Exportation annulée : aucun fichier n'a été écrit."_s);
    } else {
        Progression->setValue(0);
        LabelEtat->clear();
        dialogs_.message(this, QString::fromStdString(result.error().message), kTitle,
                         brivo::ui::Dialogs::Icon::Exclamation);
    }
    if (!LabelEtat->text().isEmpty())
        brivo::ui::announce(this, LabelEtat->text());
    Q_EMIT exportEnded(result.ok());
}

void ExportDialog::BoutonAnnulerClick()
{
    if (running()) {
        cancel_ = true;
        LabelEtat->setText(u"Annulation..."_s);
        return;
    }
    brivo::ui::hideToOwner(this);
}

void ExportDialog::reject()
{
    BoutonAnnulerClick();
}

void ExportDialog::closeEvent(QCloseEvent* event)
{
    // A running export is stopped first; the dialog closes when it ends.
    if (running()) {
        cancel_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

ExportChoices ExportDialog::choices() const
{
    ExportChoices c;
    c.format = format();
    c.quality = SpinQualite->value();
    c.sampleRate = ComboFrequence->currentData().toInt();
    const int split = ComboDecoupe->currentIndex();
    c.split = {split == 2   ? SplitSpec::Mode::Lines
               : split == 1 ? SplitSpec::Mode::Minutes
                            : SplitSpec::Mode::None,
               SpinMinutesDecoupe->value()};
    c.artist = EditArtiste->text().toStdString();
    c.album = EditAlbum->text().toStdString();
    c.folder = folder_.toStdString();
    return c;
}

void ExportDialog::setChoices(const ExportChoices& c)
{
    ComboFormat->setCurrentIndex(static_cast<int>(c.format));
    formatChanged();
    const int rate = ComboFrequence->findData(c.sampleRate);
    if (rate >= 0)
        ComboFrequence->setCurrentIndex(rate);
    SpinQualite->setValue(c.quality);
    ComboDecoupe->setCurrentIndex(c.split.mode == SplitSpec::Mode::Lines     ? 2
                                  : c.split.mode == SplitSpec::Mode::Minutes ? 1
                                                                             : 0);
    SpinMinutesDecoupe->setValue(c.split.minutes);
    EditArtiste->setText(QString::fromStdString(c.artist));
    EditAlbum->setText(QString::fromStdString(c.album));
    folder_ = QString::fromStdString(c.folder);
}

} // namespace brivo::exporting::ui
