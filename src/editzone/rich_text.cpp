#include "editzone/rich_text.h"

namespace brivo::editzone {

void Document::append(std::string_view text, const CharFormat& format)
{
    if (text.empty())
        return;
    std::vector<Run>& runs = paragraphs.back().runs;
    if (!runs.empty() && runs.back().format == format)
        runs.back().text += text;
    else
        runs.push_back({std::string(text), format});
}

std::string Document::plainText() const
{
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0)
            text += '\n';
        for (const Run& run : paragraphs[i].runs)
            text += run.text;
    }
    return text;
}

} // namespace brivo::editzone
