#include "cli/check_report.h"

#include "common/utf8.h"

#include <cstdio>
#include <sstream>

namespace brivo::cli {
namespace {

using practice::AlignmentStep;

std::string utf8Of(char32_t c)
{
    std::string out;
    appendUtf8(out, c);
    return out;
}

std::string jsonString(char32_t c)
{
    switch (c) {
    case U'"':
        return "\"\\\"\"";
    case U'\\':
        return "\"\\\\\"";
    default:
        break;
    }
    if (c < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        return std::string("\"").append(escaped).append("\"");
    }
    return std::string("\"").append(utf8Of(c)).append("\"");
}

} // namespace

std::string jsonText(std::u32string_view text)
{
    std::string out = "\"";
    for (const char32_t c : text) {
        const std::string one = jsonString(c);
        out += one.substr(1, one.size() - 2);
    }
    return out + "\"";
}

namespace {

int sentCharacters(const practice::CopyCheck& check)
{
    int total = 0;
    for (const auto& entry : check.perCharacter)
        total += entry.second.sent;
    return total;
}

} // namespace

std::string checkText(const practice::CopyCheck& check)
{
    std::ostringstream out;
    out << "Score : " << practice::scoreText(check.score) << " % (distance " << check.distance << " pour "
        << check.sent.size() << " caractères envoyés, blancs compris)\n";
    out << "Substitutions : " << check.substitutions << ", omissions : " << check.deletions
        << ", ajouts : " << check.insertions << "\n\n";
    std::string sent = "Envoyé : ";
    std::string copied = "Copié  : ";
    std::string marks = "         ";
    for (const AlignmentStep& step : check.alignment) {
        sent += step.sent != 0 ? utf8Of(step.sent) : "·";
        copied += step.copied != 0 ? utf8Of(step.copied) : "·";
        marks += step.kind == AlignmentStep::Kind::Match ? ' ' : '^';
    }
    while (!marks.empty() && marks.back() == ' ')
        marks.pop_back();
    out << sent << '\n' << copied << '\n' << marks << "\n\n";
    out << "Caractère  Envoyés  Erreurs\n";
    for (const auto& [character, count] : check.perCharacter) {
        char row[64];
        std::snprintf(row, sizeof row, "  %-8s %7d  %7d\n", utf8Of(character).c_str(), count.sent, count.wrong);
        out << row;
    }
    return out.str();
}

std::string checkJson(const practice::CopyCheck& check)
{
    std::ostringstream out;
    out << "{\"score\": " << practice::scoreText(check.score, '.') << ", \"distance\": " << check.distance
        << ", \"sent_chars\": " << sentCharacters(check) << ", \"substitutions\": " << check.substitutions
        << ", \"deletions\": " << check.deletions << ", \"insertions\": " << check.insertions << ", \"per_char\": {";
    const char* separator = "";
    for (const auto& [character, count] : check.perCharacter) {
        out << separator << jsonString(character) << ": {\"sent\": " << count.sent << ", \"wrong\": " << count.wrong
            << "}";
        separator = ", ";
    }
    out << "}, \"confusions\": [";
    separator = "";
    for (const auto& [pair, count] : check.confusions) {
        out << separator << "{\"sent\": " << jsonString(pair.first) << ", \"copied\": " << jsonString(pair.second)
            << ", \"count\": " << count << "}";
        separator = ", ";
    }
    out << "]}\n";
    return out.str();
}

} // namespace brivo::cli
