#include "cli/render_command.h"

#include "audio/message_renderer.h"
#include "cli/command_line.h"
#include "cli/input_files.h"
#include "cli/render_options.h"
#include "cli/terminal_progress.h"
#include "common/atomic_file.h"
#include "common/edit_text.h"
#include "common/file_io.h"
#include "common/messages.h"
#include "common/utf8.h"
#include "common/version.h"
#include "export/lesson_export.h"
#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/definition_parser.h"
#include "reception/keyed_marks.h"
#include "reception/keying_envelope.h"
#include "reception/reception_renderer.h"
#include "reception/render_check.h"

#include <filesystem>
#include <iostream>
#include <iterator>
#include <mutex>
#include <sstream>

namespace brivo::cli {
namespace {

constexpr std::string_view kProgram = "brivo-render";

int report(CommandEnvironment& env, int status, const std::string& message)
{
    return Tool{kProgram, renderUsage()}.report(env, status, message);
}

// The text to render, UTF-8.
Result<std::string> readText(const RenderOptions& options, CommandEnvironment& env)
{
    if (options.text)
        return textFileToUtf8(*options.text);
    if (options.input) {
        const Result<std::string> file = readFileBytes(*options.input);
        if (!file)
            return fail(ErrorCode::ReadFailed, messages::cannotRead(*options.input, file.error().message));
        return textFileToUtf8(*file);
    }
    if (env.inIsTerminal)
        env.err << "Tapez le texte à rendre, puis Ctrl+D sur une ligne vide :\n";
    const std::string bytes{std::istreambuf_iterator<char>(env.in), std::istreambuf_iterator<char>()};
    return textFileToUtf8(bytes);
}

std::string seconds(std::uint32_t samples, int rate)
{
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(1);
    text << static_cast<double>(samples) / rate;
    std::string value = text.str();
    if (const auto dot = value.find('.'); dot != std::string::npos)
        value[dot] = ',';
    return value;
}

// An export to a compressed format, or split into tracks.
int runExport(const RenderOptions& options, exporting::ExportFormat format, const RenderRequest& request,
              const MorseTable& table, RandomGenerator& random, std::uint32_t seed, CommandEnvironment& env)
{
    exporting::ExportRequest job;
    job.render = request;
    job.conditions = options.conditions;
    job.target = options.output;
    job.format = format;
    job.quality = options.quality;
    job.split = options.split;
    job.tags = options.tags;
    job.spokenAnswers = options.spokenAnswers;
    // The answers say the text, not --start and --end keyed around it.
    job.answered = {keyedTextFromUtf8(options.start).size(),
                    request.text.size() - keyedTextFromUtf8(options.end).size()};
    if (job.tags.title.empty())
        job.tags.title = job.target.stem().string();
    if (job.tags.album.empty())
        job.tags.album = "BRIVO";
    if (!options.commentGiven)
        job.tags.comment = exporting::defaultComment(request.parameters, renderSampleRate(request), options.conditions);
    TerminalProgress progress(env.err, env.errIsTerminal, env.monotonicSeconds);
    std::mutex reporting;
    const Result<exporting::ExportedLesson> exported = exporting::exportLesson(job, table, random, [&](double done) {
        const std::lock_guard lock(reporting);
        progress.update(static_cast<std::uint64_t>(done * 1000), 1000);
    });
    progress.finish();
    if (!exported) {
        const Error& error = exported.error();
        if (error.code == ErrorCode::Refused)
            return report(env, kExitRefused, error.message);
        if (error.code == ErrorCode::TooLong)
            return report(env, kExitRefused, std::string(messages::kTooLong));
        return report(env, kExitFileError, std::string(messages::kNoFileGenerated) + " " + error.message);
    }
    const std::uint64_t total = exported->samples;
    env.out << options.output << " : " << total << " échantillons à " << exported->sampleRate << " Hz ("
            << seconds(static_cast<std::uint32_t>(total), exported->sampleRate) << " s) en "
            << exporting::formatLabel(format) << ", graine " << seed << ".\n";
    if (exported->playlist) {
        env.out << exported->tracks.size() << " pistes :";
        for (const std::filesystem::path& track : exported->tracks)
            env.out << ' ' << track.filename().string();
        env.out << ", liste de lecture " << exported->playlist->filename().string() << ".\n";
    }
    return kExitOk;
}

} // namespace

int runRenderCommand(const std::vector<std::string>& args, CommandEnvironment& env)
{
    const Result<RenderOptions> parsed = parseRenderOptions(args);
    if (!parsed)
        return report(env, kExitRefused,
                      parsed.error().message + "\nVoir " + messages::quoted(std::string(kProgram) + " --help") +
                          " pour les options.");
    const RenderOptions& options = *parsed;
    if (const std::optional<int> answered =
            Tool{kProgram, renderUsage()}.helpOrVersion({{}, options.help, options.version}, env))
        return *answered;

    const Result<std::string> text = readText(options, env);
    if (!text)
        return report(env, kExitFileError, text.error().message);
    const bool live = options.live;
    if (!live && text->empty())
        return report(env, kExitRefused, std::string(messages::kEmptyText));

    const Result<MorseTable> table = readCodeTable(options.table);
    if (!table)
        return report(env, kExitFileError, table.error().message);

    RenderRequest request;
    request.path = options.output;
    request.form = live ? RenderForm::Live : RenderForm::Message;
    request.parameters = options.parameters;
    request.text = keyedTextFromUtf8(live ? *text : options.start + *text + options.end);

    const std::uint32_t seed = options.seed ? *options.seed : static_cast<std::uint32_t>(env.secondsNow());
    RandomGenerator random;
    random.seed(seed);

    const auto checked = reception::checkRender(request.parameters, renderSampleRate(request), options.conditions);
    if (!checked)
        return report(env, kExitRefused, checked.error().message);
    if (*checked)
        report(env, kExitOk, **checked + ".");

    if (options.exportRate > 0)
        request.previousSampleRate = options.exportRate;
    const std::optional<exporting::ExportFormat> named = exporting::formatFromExtension(options.output);
    if (options.format && named && *options.format != *named)
        return report(env, kExitRefused,
                      "--format " + std::string(exporting::formatLabel(*options.format)) + " contredit l'extension « " +
                          std::filesystem::path(options.output).extension().string() + " » de « " + options.output +
                          " » : changez l'une ou l'autre.");
    const exporting::ExportFormat format = options.format.value_or(named.value_or(exporting::ExportFormat::Wav));
    if (format != exporting::ExportFormat::Wav || options.split.mode != exporting::SplitSpec::Mode::None ||
        options.spokenAnswers)
        return runExport(options, format, request, *table, random, seed, env);

    TerminalProgress progress(env.err, env.errIsTerminal, env.monotonicSeconds);
    const Result<RenderedFile> rendered = reception::renderWithConditions(
        request, *table, options.conditions, random,
        [&progress](std::uint64_t done, std::uint64_t total) { progress.update(done, total); });
    progress.finish();
    if (!rendered) {
        const Error& error = rendered.error();
        const std::string noFile = std::string(messages::kNoFileGenerated) + " ";
        switch (error.code) {
        case ErrorCode::TooLong:
            return report(env, kExitRefused, std::string(messages::kTooLong));
        case ErrorCode::CreateFailed:
            return report(env, kExitFileError, noFile + messages::cannotCreate(options.output, error.message));
        default:
            // The unfinished file is gone; a previous one stays as it was.
            return report(env, kExitFileError, noFile + messages::writeInterrupted(options.output, error.message));
        }
    }
    // A device or a pipe may be the standard output itself (-o /dev/stdout):
    // the summary then goes with the messages, not into the sound.
    std::ostream& summary = isSpecialFile(options.output) ? env.err : env.out;
    summary << options.output << " : " << rendered->sampleCount << " échantillons à " << rendered->sampleRate << " Hz ("
            << seconds(rendered->sampleCount, rendered->sampleRate) << " s), graine " << seed << ".\n";
    return kExitOk;
}

} // namespace brivo::cli
