#include "practice/material/vocabulary.h"

#include "practice/material/abbreviations.h"
#include "practice/material/word_lists.h"

namespace brivo::practice {

std::vector<std::u32string> sendingVocabulary()
{
    std::vector<std::u32string> words;
    for (const Language language : {Language::French, Language::English})
        words.insert(words.end(), commonWords(language).begin(), commonWords(language).end());
    for (const Abbreviation& abbreviation : abbreviations())
        words.emplace_back(abbreviation.text);
    return words;
}

} // namespace brivo::practice
