#include "practice/koch_course.h"

#include "common/edit_text.h"
#include "common/messages.h"
#include "common/number_text.h"
#include "common/settings_words.h"
#include "common/utf8.h"
#include "reception/keyed_marks.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace brivo::practice {
namespace {

constexpr std::u32string_view kLcwo = U"KMURESNAPTLWI.JZ=FOY,VG5/Q92H38B?47C1D60X";
constexpr std::u32string_view kKochMorse = U"KMRSUAPTLOWI.NJEF0Y,VG5/Q9ZH38B?427C1D6X";
// Taught last: AR, SK and BT, as the built-in table keys them.
constexpr std::u32string_view kProsigns = U"+*=";
constexpr double kNewestBonus = 1.5;
constexpr int kBonusChecks = 3;
constexpr double kConfusionPairing = 0.2;

std::string utf8Of(char32_t c)
{
    std::string out;
    appendUtf8(out, c);
    return out;
}

// A uniform draw in [0, 1) from the program's sequence.
double uniform(RandomGenerator& random)
{
    return static_cast<double>(random.next()) / 2147483648.0;
}

// The newest character's sendings in the order they were sent, read from
// the check's alignment. A check without one (counts alone) gives its
// misses last, so that the window's latest samples never look better than
// the copy was.
void appendNewestSamples(CourseState& state, const CopyCheck& check)
{
    const char32_t newest = state.newest();
    if (!check.alignment.empty()) {
        for (const AlignmentStep& step : check.alignment) {
            if (step.sent == newest)
                state.newestSamples.push_back(step.kind == AlignmentStep::Kind::Match);
        }
        return;
    }
    const auto found = check.perCharacter.find(newest);
    if (found == check.perCharacter.end())
        return;
    for (int i = 0; i < found->second.sent; ++i)
        state.newestSamples.push_back(i < found->second.sent - found->second.wrong);
}

} // namespace

std::optional<std::u32string> namedOrder(std::string_view name, const KeyedPredicate& keyed)
{
    std::u32string order;
    if (name == "lcwo")
        order = kLcwo;
    else if (name == "kochmorse")
        order = kKochMorse;
    else
        return std::nullopt;
    for (const char32_t prosign : kProsigns)
        if (order.find(prosign) == std::u32string::npos && (!keyed || keyed(prosign)))
            order += prosign;
    return order;
}

Result<std::u32string> parseOrder(std::string_view utf8Text, const KeyedPredicate& keyed)
{
    const std::u32string characters = normalise(utf8Text);
    std::u32string order;
    for (const char32_t c : characters) {
        if (c == U' ')
            continue;
        if (order.find(c) != std::u32string::npos)
            return fail(ErrorCode::Refused, messages::orderRepeats(utf8Of(c)));
        if (keyed && !keyed(c))
            return fail(ErrorCode::Refused, messages::orderNotKeyed(utf8Of(c)));
        order += c;
    }
    if (order.size() < static_cast<std::size_t>(kFirstLesson))
        return fail(ErrorCode::Refused, std::string(messages::kOrderTooShort));
    return order;
}

std::u32string CourseState::characters() const
{
    return order.substr(0, static_cast<std::size_t>(lesson));
}

char32_t CourseState::newest() const
{
    return order.empty() ? U'\0' : order[static_cast<std::size_t>(std::min<int>(lesson, int(order.size()))) - 1];
}

double CourseState::errorRate(char32_t c) const
{
    const auto found = errorRates.find(c);
    return found != errorRates.end() ? found->second : kInitialErrorRate;
}

double CourseState::weight(char32_t c) const
{
    const double bonus = c == newest() && checksInLesson < kBonusChecks ? kNewestBonus : 0;
    return std::min(5.0, 1 + 4 * errorRate(c) + bonus);
}

void chooseLesson(CourseState& state, int lesson)
{
    state.lesson = std::clamp(lesson, kFirstLesson, std::max(kFirstLesson, static_cast<int>(state.order.size())));
    state.checksInLesson = 0;
    state.newestSamples.clear();
}

bool meetsAdvanceRule(const AdvanceProgress& p)
{
    return p.lastScore >= 90.0 && p.lastSent >= 100 && p.newestSamples >= 10 &&
           p.newestRight * 5 >= p.newestSamples * 4;
}

void feedErrorRates(CourseState& state, const std::map<char32_t, CharacterCount>& perCharacter)
{
    const std::u32string lesson = state.characters();
    for (const auto& [c, count] : perCharacter) {
        if (count.sent <= 0 || lesson.find(c) == std::u32string::npos)
            continue;
        const double rate = static_cast<double>(count.wrong) / count.sent;
        state.errorRates[c] = 0.85 * state.errorRate(c) + 0.15 * rate;
    }
}

AdvanceProgress recordCheck(CourseState& state, const CopyCheck& check)
{
    AdvanceProgress progress;
    progress.lastScore = check.score;
    for (const auto& [c, count] : check.perCharacter)
        progress.lastSent += count.sent;
    feedErrorRates(state, check.perCharacter);
    appendNewestSamples(state, check);
    while (state.newestSamples.size() > CourseState::kNewestWindow)
        state.newestSamples.pop_front();
    ++state.checksInLesson;
    progress.newestSamples = static_cast<int>(state.newestSamples.size());
    progress.newestRight = static_cast<int>(std::count(state.newestSamples.begin(), state.newestSamples.end(), true));
    if (meetsAdvanceRule(progress) && state.lesson < static_cast<int>(state.order.size()))
        chooseLesson(state, state.lesson + 1);
    return progress;
}

std::string missingForAdvance(const AdvanceProgress& p)
{
    if (meetsAdvanceRule(p))
        return {};
    std::string missing;
    const auto add = [&missing](const std::string& part) { missing += (missing.empty() ? "" : " ; ") + part; };
    if (p.lastScore < 90.0)
        add("un score d'au moins 90 % (ici " + fixedText(p.lastScore, 1, ',') + " %)");
    if (p.lastSent < 100)
        add("au moins 100 caractères envoyés (ici " + std::to_string(p.lastSent) + ")");
    if (p.newestSamples < 10)
        add("le nouveau caractère envoyé au moins 10 fois (ici " + std::to_string(p.newestSamples) + ")");
    else if (p.newestRight * 5 < p.newestSamples * 4)
        add("le nouveau caractère juste 80 % des fois (ici " + std::to_string(p.newestRight) + " sur " +
            std::to_string(p.newestSamples) + ")");
    return missing;
}

std::u32string introduction(const CourseState& state)
{
    if (state.checksInLesson > 0 || state.order.empty())
        return {};
    const std::u32string characters = state.characters();
    std::u32string text;
    for (const char32_t c : state.lesson == kFirstLesson ? characters : std::u32string(1, state.newest())) {
        for (int i = 0; i < 3; ++i)
            (text += text.empty() ? U"" : U" ") += c;
    }
    return text;
}

bool courseCompleted(const CourseState& state, const AdvanceProgress& progress)
{
    return state.lesson == static_cast<int>(state.order.size()) && meetsAdvanceRule(progress);
}

std::string courseCompletedMessage(const CourseState& state)
{
    return "Bravo : vous avez terminé le cours, et lisez ses " + std::to_string(state.order.size()) +
           " caractères. Les séances continuent sur tous, les moins bien lus plus souvent.";
}

CourseState replayCourse(const std::u32string& order, const std::vector<CourseCheck>& checks,
                         const std::vector<LessonChoice>& choices, AdvanceProgress* last)
{
    CourseState state;
    state.order = order;
    AdvanceProgress progress;
    auto choice = choices.begin();
    const auto applyChoicesUpTo = [&](std::size_t checksDone) {
        for (; choice != choices.end() && choice->afterChecks <= checksDone; ++choice) {
            if (choice->lesson != state.lesson) {
                chooseLesson(state, choice->lesson);
                progress = {};
            }
        }
    };
    for (std::size_t i = 0; i < checks.size(); ++i) {
        applyChoicesUpTo(i);
        const CourseCheck& stored = checks[i];
        if (stored.drill) {
            feedErrorRates(state, stored.perCharacter);
            continue;
        }
        if (stored.lesson != state.lesson)
            chooseLesson(state, stored.lesson);
        CopyCheck check;
        if (!stored.sent.empty()) {
            if (Result<CopyCheck> again = checkCopy(encodeUtf8(stored.sent), encodeUtf8(stored.copied)))
                check = std::move(*again);
        }
        check.score = stored.score;
        check.perCharacter = stored.perCharacter;
        const int lesson = state.lesson;
        progress = recordCheck(state, check);
        if (state.lesson != lesson)
            progress = {};
    }
    applyChoicesUpTo(checks.size());
    if (last != nullptr)
        *last = progress;
    return state;
}

std::u32string drawSession(const CourseState& state, const std::map<std::pair<char32_t, char32_t>, int>& confusions,
                           const SessionSpec& spec, const TextDuration& seconds, RandomGenerator& random)
{
    const std::u32string lesson = state.characters();
    std::vector<double> cumulative;
    double total = 0;
    for (const char32_t c : lesson) {
        total += state.weight(c);
        cumulative.push_back(total);
    }
    const auto drawn = [&] {
        const double at = uniform(random) * total;
        const auto found = std::upper_bound(cumulative.begin(), cumulative.end(), at);
        return lesson[std::min<std::size_t>(static_cast<std::size_t>(found - cumulative.begin()), lesson.size() - 1)];
    };
    // The character most often copied for each one, among the lesson's.
    std::map<char32_t, char32_t> pairedWith;
    std::map<char32_t, int> pairCount;
    for (const auto& [pair, count] : confusions) {
        const auto [sent, copied] = pair;
        if (lesson.find(sent) == std::u32string::npos || lesson.find(copied) == std::u32string::npos ||
            count <= pairCount[sent])
            continue;
        pairedWith[sent] = copied;
        pairCount[sent] = count;
    }

    std::u32string text;
    if (state.checksInLesson == 0) {
        for (int i = 0; i < 5; ++i)
            (text += state.newest()) += U' ';
    }
    const auto longEnough = [&](int groups) {
        if (spec.groups)
            return groups >= *spec.groups;
        return !spec.minutes || seconds(text) >= *spec.minutes * 60;
    };
    for (int groups = 0; !longEnough(groups) && groups < 100000; ++groups) {
        const int size = spec.groupSize > 0 ? spec.groupSize : 2 + static_cast<int>(random.below(6));
        std::u32string group;
        while (static_cast<int>(group.size()) < size) {
            const char32_t c = drawn();
            group += c;
            const auto pair = pairedWith.find(c);
            if (pair != pairedWith.end() && static_cast<int>(group.size()) < size &&
                uniform(random) < kConfusionPairing)
                group += pair->second;
        }
        (text += group) += U' ';
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

double courseSeconds(const std::u32string& text, const MorseTable& table, const CourseSpeeds& speeds)
{
    constexpr int kParisUnits = 50;
    const std::optional<double> effective =
        speeds.effectiveWpm < speeds.characterWpm ? std::optional<double>(speeds.effectiveWpm) : std::nullopt;
    return reception::keyedMarks(keyedTextFromUtf8(encodeUtf8(text)), table, RenderForm::Message, 1,
                                 1.2 / speeds.characterWpm, effective, kParisUnits)
        .length;
}

std::string courseSettingsText(const CourseSettings& s)
{
    return "minutes=" + decimalText(s.minutes) + " groups=" + std::to_string(s.groups) +
           " size=" + std::to_string(s.groupSize) + " mask=" + (s.mask ? "1" : "0") + " play=" + (s.play ? "1" : "0") +
           " wpm=" + std::to_string(s.speeds.characterWpm) + " effective=" + std::to_string(s.speeds.effectiveWpm) +
           " step=" + (s.speeds.step ? "1" : "0") + " material=" + s.material +
           (s.list.empty() ? std::string() : " list=" + escapeBlanks(s.list)) + " order=" + s.order;
}

CourseSettings parseCourseSettings(std::string_view text, std::vector<std::string>* skipped)
{
    CourseSettings s;
    // The order's path is the rest of the line, blanks and all.
    forEachSetting(text, "order", [&](std::string_view key, std::string_view value) {
        bool read = true;
        const auto integer = [&read, value](int low, int high, int& out) {
            const std::optional<int> number = wholeInteger(value, low, high);
            out = number.value_or(out);
            read = number.has_value();
        };
        int flag = -1;
        if (key == "order")
            s.order = std::string(value);
        else if (key == "material" && !value.empty())
            s.material = std::string(value);
        else if (key == "list")
            s.list = unescapeBlanks(value);
        else if (key == "groups")
            integer(0, 10000, s.groups);
        else if (key == "size")
            integer(0, 8, s.groupSize);
        else if (key == "wpm")
            integer(CourseSpeeds::kMinWpm, CourseSpeeds::kMaxWpm, s.speeds.characterWpm);
        else if (key == "effective")
            integer(CourseSpeeds::kMinWpm, CourseSpeeds::kMaxWpm, s.speeds.effectiveWpm);
        else if (key == "mask" || key == "play" || key == "step") {
            integer(0, 1, flag);
            if (flag >= 0)
                (key == "mask" ? s.mask : key == "play" ? s.play : s.speeds.step) = flag == 1;
        } else if (key == "minutes") {
            // To a tenth, as the window shows it.
            const std::optional<double> minutes = wholeNumber(value, 0, 120);
            read = minutes && std::round(*minutes * 10) > 0;
            if (read)
                s.minutes = std::round(*minutes * 10) / 10;
        } else
            read = key == "lesson";
        if (!read && skipped != nullptr)
            skipped->push_back(std::string(key) + "=" + std::string(value));
    });
    s.speeds.effectiveWpm = std::min(s.speeds.effectiveWpm, s.speeds.characterWpm);
    return s;
}

} // namespace brivo::practice
