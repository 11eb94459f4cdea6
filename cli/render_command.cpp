#include "cli/render_command.h"

#include "audio/message_renderer.h"
#include "cli/render_options.h"
#include "cli/terminal_progress.h"
#include "common/edit_text.h"
#include "common/file_io.h"
#include "common/utf8.h"
#include "morse/default_definitions.h"
#include "morse/definition_file.h"
#include "morse/definition_parser.h"

#include <filesystem>
#include <iostream>
#include <iterator>
#include <sstream>

namespace brivo::cli {
namespace {

constexpr std::string_view kProgram = "brivo-render";
constexpr std::string_view kEmptyTextMessage = "La zone de saisie ne contient\naucun texte à convertir en son !";

std::string guillemets(const std::string& text)
{
    return "« " + text + " »";
}

int report(CommandEnvironment& env, int status, const std::string& message)
{
    env.err << kProgram << " : " << message << '\n';
    return status;
}

struct TextSource {
    bool ok = true;
    std::string utf8;
    std::string error;
};

TextSource readText(const RenderOptions& options, CommandEnvironment& env)
{
    if (options.text)
        return {true, utf8::textFileToUtf8(*options.text), {}};
    if (options.input) {
        const FileReadResult file = readFileBytes(*options.input);
        if (!file.ok)
            return {false, {}, "impossible de lire " + guillemets(*options.input) + " : " + file.error};
        return {true, utf8::textFileToUtf8(file.content), {}};
    }
    if (env.inIsTerminal)
        env.err << "Tapez le texte à rendre, puis Ctrl+D sur une ligne vide :\n";
    const std::string bytes{std::istreambuf_iterator<char>(env.in), std::istreambuf_iterator<char>()};
    return {true, utf8::textFileToUtf8(bytes), {}};
}

struct TableSource {
    std::optional<MorseTable> table;
    std::string error;
};

TableSource readTable(const RenderOptions& options)
{
    std::string path;
    if (options.table) {
        path = *options.table;
    } else {
        std::error_code ignored;
        if (!std::filesystem::exists(std::string(definitions::kFileName), ignored))
            return {definitions::tableFromContent(definitions::defaultFileContent()), {}};
        path = std::string(definitions::kFileName);
    }
    definitions::LoadResult loaded = definitions::loadDefinitionFile(path);
    if (!loaded.table)
        return {std::nullopt, "impossible de lire " + guillemets(path) + " : " + loaded.error};
    return {std::move(loaded.table), {}};
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

} // namespace

int runRenderCommand(const std::vector<std::string>& args, CommandEnvironment& env)
{
    const ParseResult parsed = parseRenderOptions(args);
    if (!parsed.options)
        return report(env, kExitRefused,
                      parsed.error + "\nVoir " + guillemets(std::string(kProgram) + " --help") + " pour les options.");
    const RenderOptions& options = *parsed.options;
    if (options.help) {
        env.out << renderUsage();
        return kExitOk;
    }
    if (options.version) {
        env.out << kProgram << " (BRIVO) 4.1\n";
        return kExitOk;
    }

    const TextSource text = readText(options, env);
    if (!text.ok)
        return report(env, kExitFileError, text.error);
    const bool live = options.live;
    if (!live && text.utf8.empty())
        return report(env, kExitRefused, std::string(kEmptyTextMessage));

    TableSource table = readTable(options);
    if (!table.table)
        return report(env, kExitFileError, table.error);

    RenderRequest request;
    request.path = options.output;
    request.form = live ? RenderForm::Live : RenderForm::Message;
    request.parameters = options.parameters;
    request.text = keyedTextFromUtf8(live ? text.utf8 : options.start + text.utf8 + options.end);

    const std::uint32_t seed = options.seed ? *options.seed : static_cast<std::uint32_t>(env.secondsNow());
    RandomGenerator random;
    random.seed(seed);

    TerminalProgress progress(env.err, env.errIsTerminal, env.monotonicSeconds);
    const RenderOutcome outcome =
        renderMorseFile(request, *table.table, random,
                        [&progress](std::uint64_t done, std::uint64_t total) { progress.update(done, total); });
    progress.finish();

    switch (outcome.status) {
    case RenderStatus::Written:
        break;
    case RenderStatus::TooLong:
        return report(env, kExitRefused, "le texte est trop long : le fichier WAV dépasserait 4 Gio.");
    case RenderStatus::CreateFailed:
        return report(env, kExitFileError,
                      "Pas de fichier Généré ! Impossible de créer " + guillemets(options.output) + " : " +
                          outcome.error);
    case RenderStatus::WriteFailed: {
        // Only a regular file is removed: the output may be a device.
        std::error_code ignored;
        if (std::filesystem::is_regular_file(options.output, ignored))
            std::filesystem::remove(options.output, ignored);
        return report(env, kExitFileError,
                      "Pas de fichier Généré ! Écriture de " + guillemets(options.output) +
                          " interrompue : " + outcome.error);
    }
    }
    env.out << options.output << " : " << outcome.sampleCount << " échantillons à " << outcome.sampleRate << " Hz ("
            << seconds(outcome.sampleCount, outcome.sampleRate) << " s), graine " << seed << ".\n";
    return kExitOk;
}

} // namespace brivo::cli
