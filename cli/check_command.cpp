#include "cli/check_command.h"

#include "cli/check_report.h"
#include "cli/command_line.h"
#include "cli/input_files.h"
#include "common/messages.h"
#include "practice/copy_check.h"

#include <optional>
#include <ostream>

namespace brivo::cli {
namespace {

constexpr std::string_view kProgram = "brivo-check";

constexpr std::string_view kUsage = "Usage : brivo-check [--json] [--table FICHIER] TEXTE_ENVOYÉ COPIE\n"
                                    "Compare la copie d'un exercice avec le texte envoyé et affiche le score,\n"
                                    "les erreurs alignées et le tableau par caractère. Les deux fichiers sont\n"
                                    "lus en UTF-8, ou en Windows-1252 s'ils ne sont pas de l'UTF-8 valide.\n"
                                    "Un caractère envoyé sans code morse dans la table n'a pas été entendu :\n"
                                    "il ne compte pas.\n"
                                    "\n"
                                    "  --json         un seul objet JSON : score, distance, sent_chars,\n"
                                    "                 substitutions, deletions, insertions, per_char, confusions\n"
                                    "  --table FICHIER définitions du code morse (défaut : Codmorse.INI du\n"
                                    "                 dossier courant s'il existe, sinon la table intégrée)\n"
                                    "  -h, --help     affiche cette aide\n"
                                    "  --version      affiche la version\n"
                                    "\n"
                                    "Code de sortie : 0 si la comparaison est faite, 1 si un fichier ne peut\n"
                                    "pas être lu, 2 pour une option ou des arguments refusés.\n";

constexpr Tool kTool{kProgram, kUsage};

} // namespace

int runCheckCommand(const std::vector<std::string>& args, CommandEnvironment& env)
{
    bool json = false;
    std::optional<std::string> tableOption;
    OptionTable options;
    options.switches["--json"] = [&json](const std::string&) -> Result<void> {
        json = true;
        return {};
    };
    options.valued["--table"] = [&tableOption](const std::string&, const std::string& value) -> Result<void> {
        tableOption = value;
        return {};
    };
    const Result<CommandLine> line = readCommandLine(args, options);
    if (!line)
        return kTool.report(env, kExitRefused, line.error().message + "\n" + std::string(kUsage));
    if (const std::optional<int> answered = kTool.helpOrVersion(*line, env))
        return *answered;
    const std::vector<std::string>& files = line->operands;
    if (files.size() != 2)
        return kTool.report(env, kExitRefused,
                            "il faut deux fichiers : le texte envoyé et la copie.\n" + std::string(kUsage));

    const Result<std::string> sent = readUserText(files[0]);
    if (!sent)
        return kTool.report(env, kExitFileError, sent.error().message);
    const Result<std::string> copied = readUserText(files[1]);
    if (!copied)
        return kTool.report(env, kExitFileError, copied.error().message);
    const Result<MorseTable> table = readCodeTable(tableOption);
    if (!table)
        return kTool.report(env, kExitFileError, table.error().message);
    const Result<practice::CopyCheck> check = practice::checkCopy(
        *sent, *copied, [&table](char32_t c) { return practice::hasPattern(*table, c); },
        [&table](char32_t c) { return practice::soundsAs(*table, c); });
    if (!check)
        return kTool.report(env, kExitFileError, check.error().message);
    env.out << (json ? checkJson(*check) : checkText(*check));
    return kExitOk;
}

} // namespace brivo::cli
