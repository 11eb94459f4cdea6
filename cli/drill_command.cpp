#include "cli/drill_command.h"

#include "cli/check_report.h"
#include "cli/command_line.h"
#include "cli/input_files.h"
#include "common/number_text.h"
#include "common/settings_words.h"
#include "common/utf8.h"
#include "drills/drill_plan.h"
#include "practice/copy_check.h"

#include <sstream>
#include <vector>

namespace brivo::cli {
namespace {

struct AnswerLine {
    std::string text;
    std::optional<double> number; // the reaction time of a character
    bool replayed = false;
};

Result<std::vector<AnswerLine>> readAnswers(const std::string& path, DrillKind kind)
{
    const Result<std::string> text = readUserText(path);
    if (!text)
        return text.error();
    std::vector<AnswerLine> lines;
    std::istringstream in(*text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        AnswerLine answer;
        std::string extra;
        if (!(words >> answer.text))
            continue;
        if (kind == DrillKind::Characters) {
            if (words >> extra) {
                answer.number = wholeNumber(extra, 0, 600000);
                if (!answer.number)
                    return fail(ErrorCode::Refused, "Ligne " + std::to_string(number) + " des réponses : « " + extra +
                                                        " » n'est pas un temps de réaction en ms.");
            }
        } else if (answer.text.size() > 1 && answer.text.back() == '*') {
            answer.text.pop_back();
            answer.replayed = true;
        }
        lines.push_back(answer);
    }
    return lines;
}

int refuse(CommandEnvironment& env, const Error& error)
{
    return Tool{"brivo-lesson", {}}.report(env, error.code == ErrorCode::Refused ? kExitRefused : kExitFileError,
                                           error.message);
}

std::string itemJson(const drills::PlannedItem& item)
{
    return "{\"text\": " + jsonText(item.text) + ", \"wpm\": " + fixedText(item.wpm, 2) +
           ", \"length_ms\": " + fixedText(item.lengthMs, 1) +
           ", \"last_element_end_ms\": " + fixedText(item.lastElementEndMs, 1) + "}";
}

int charactersDrill(const DrillRequest& request, const MorseTable& table, CommandEnvironment& env)
{
    RandomGenerator random(request.seed);
    drills::DrillSound sound{drills::atSpeed({}, request.wpm), {}};
    const drills::CharacterRound round =
        drills::planCharacterRound(request.lessonCharacters, request.records, 0, sound, table, random);
    if (!request.answers) {
        if (request.json) {
            std::string items;
            for (const drills::PlannedItem& item : round.items)
                items += (items.empty() ? "" : ", ") + itemJson(item);
            env.out << "{\"drill\": \"characters\", \"characters\": " << jsonText(request.lessonCharacters)
                    << ", \"timeout_s\": " << fixedText(round.timeoutSeconds, 2) << ", \"items\": [" << items << "]}\n";
        } else {
            for (const drills::PlannedItem& item : round.items)
                env.out << encodeUtf8(item.text) << "  " << fixedText(item.lengthMs, 1, ',')
                        << " ms, fin du dernier élément à " << fixedText(item.lastElementEndMs, 1, ',') << " ms\n";
            env.out << "Temps de réponse : " << fixedText(round.timeoutSeconds, 1, ',') << " s\n";
        }
        return kExitOk;
    }
    const Result<std::vector<AnswerLine>> answers = readAnswers(*request.answers, DrillKind::Characters);
    if (!answers)
        return refuse(env, answers.error());
    std::string items;
    int right = 0;
    for (std::size_t i = 0; i < round.items.size(); ++i) {
        drills::CharacterAnswer answer{round.items[i].text.front(), std::nullopt, 0};
        if (i < answers->size() && (*answers)[i].text != "-") {
            const std::u32string typed = practice::normalise((*answers)[i].text);
            if (!typed.empty())
                answer.typed = typed.front();
            answer.reactionMs = (*answers)[i].number.value_or(0);
        }
        right += answer.right() ? 1 : 0;
        const std::string typedJson = answer.typed ? jsonText(std::u32string(1, *answer.typed)) : "null";
        if (request.json)
            items += (items.empty() ? "" : ", ") + std::string("{\"text\": ") + jsonText(round.items[i].text) +
                     ", \"answer\": " + typedJson + ", \"right\": " + (answer.right() ? "true" : "false") +
                     ", \"reaction_ms\": " + (answer.typed ? fixedText(answer.reactionMs, 0) : "null") + "}";
        else
            env.out << encodeUtf8(round.items[i].text) << "  "
                    << (answer.typed ? encodeUtf8(std::u32string(1, *answer.typed)) : "-") << "  "
                    << (answer.right() ? "juste" : "faux") << "  " << fixedText(answer.reactionMs, 0) << " ms\n";
    }
    if (request.json)
        env.out << "{\"drill\": \"characters\", \"right\": " << right << ", \"of\": " << round.items.size()
                << ", \"items\": [" << items << "]}\n";
    else
        env.out << right << " juste(s) sur " << round.items.size() << ".\n";
    return kExitOk;
}

int callsignsDrill(const DrillRequest& request, const MorseTable& table, CommandEnvironment& env)
{
    RandomGenerator random(request.seed);
    practice::CharacterFilter filter;
    filter.keyed = [&table](char32_t c) { return practice::hasPattern(table, c); };
    const Result<std::vector<std::u32string>> calls = drills::drawCalls(filter, random);
    if (!calls) // nothing to draw, as the material's other sources say
        return Tool{"brivo-lesson", {}}.report(env, kExitFileError, calls.error().message);
    drills::CallsignRun run(*calls, request.wpm);
    std::vector<AnswerLine> answers;
    if (request.answers) {
        Result<std::vector<AnswerLine>> read = readAnswers(*request.answers, DrillKind::Callsigns);
        if (!read)
            return refuse(env, read.error());
        answers = std::move(*read);
    }
    std::string items;
    for (std::size_t i = 0; !run.finished(); ++i) {
        const drills::PlannedItem planned =
            drills::planItem(run.currentCall(), {drills::atSpeed({}, run.currentWpm()), {}}, table);
        std::string line = itemJson(planned);
        if (request.answers) {
            const AnswerLine answer = i < answers.size() ? answers[i] : AnswerLine{};
            const drills::CallResult& result = run.answer(answer.text, answer.replayed);
            line.pop_back();
            line += ", \"copy\": " + jsonText(result.copy) + ", \"right\": " + std::to_string(result.right) +
                    ", \"replayed\": " + (result.replayed ? "true" : "false") +
                    ", \"points\": " + fixedText(result.points, 1) + "}";
            if (!request.json)
                env.out << encodeUtf8(result.call) << "  " << fixedText(result.wpm, 1, ',') << " mots/mn  "
                        << encodeUtf8(result.copy) << "  " << fixedText(result.points, 1, ',') << " points\n";
        } else {
            if (!request.json)
                env.out << encodeUtf8(planned.text) << "  " << fixedText(planned.wpm, 1, ',') << " mots/mn  "
                        << fixedText(planned.lengthMs, 1, ',') << " ms\n";
            run.answer(encodeUtf8(run.currentCall()), false); // the plan's speeds: every call right
        }
        items += (items.empty() ? "" : ", ") + line;
    }
    if (request.json)
        env.out << "{\"drill\": \"callsigns\", \"points\": "
                << (request.answers ? fixedText(run.points(), 1) : std::string("null")) << ", \"items\": [" << items
                << "]}\n";
    else if (request.answers)
        env.out << "Score : " << fixedText(run.points(), 1, ',') << " points.\n";
    return kExitOk;
}

} // namespace

int runDrill(const DrillRequest& request, const MorseTable& table, CommandEnvironment& env)
{
    return request.kind == DrillKind::Characters ? charactersDrill(request, table, env)
                                                 : callsignsDrill(request, table, env);
}

} // namespace brivo::cli
