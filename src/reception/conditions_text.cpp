#include "reception/conditions_text.h"

#include <charconv>
#include <cmath>
#include <map>
#include <sstream>
#include <string>

namespace brivo::reception {
namespace {

std::optional<double> number(std::string text)
{
    for (char& c : text) {
        if (c == ',')
            c = '.';
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

const std::map<std::string, EnvelopeShape>& shapeNames()
{
    static const std::map<std::string, EnvelopeShape> names = {{"blackman", EnvelopeShape::BlackmanHarris},
                                                               {"cosine", EnvelopeShape::RaisedCosine},
                                                               {"linear", EnvelopeShape::Linear},
                                                               {"hard", EnvelopeShape::Hard}};
    return names;
}

// Sets the condition one "name=value" word gives; false when it gives none.
bool readCondition(const std::string& word, ReceptionConditions& c)
{
    const auto equals = word.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string name = word.substr(0, equals);
    const std::string value = word.substr(equals + 1);
    if (name == "shape") {
        const auto found = shapeNames().find(value);
        if (found == shapeNames().end())
            return false;
        c.shape = found->second;
        return true;
    }
    if (name == "filter-shape") {
        c.filterShape = value == "chebyshev" ? FilterShape::Chebyshev : FilterShape::Butterworth;
        return value == "chebyshev" || value == "butterworth";
    }
    const std::optional<double> v = number(value);
    if (!v)
        return false;
    if (name == "effective-wpm")
        c.effectiveWpm = *v;
    else if (name == "ramp-to")
        c.rampToWpm = *v;
    else if (name == "rise")
        c.riseMs = *v;
    else if (name == "snr")
        c.snrDb = *v;
    else if (name == "filter")
        c.filterHz = *v;
    else if (name == "qsb")
        c.qsbHz = *v;
    else if (name == "qsb-k")
        c.qsbK = *v;
    else if (name == "qrn")
        c.qrnRate = *v;
    else if (name == "crashes")
        c.crashRate = *v;
    else if (name == "qrm" && *v >= 0 && *v <= 5)
        c.qrm = static_cast<int>(*v);
    else if (name == "chirp")
        c.chirpHz = *v;
    else if (name == "chirp-tau")
        c.chirpTauMs = *v;
    else
        return false;
    return true;
}

} // namespace

std::string conditionsText(const ReceptionConditions& c)
{
    std::string out;
    const auto add = [&out](const std::string& word) { out += (out.empty() ? "" : " ") + word; };
    if (c.effectiveWpm)
        add("effective-wpm=" + decimalText(*c.effectiveWpm));
    if (c.shape) {
        for (const auto& [name, shape] : shapeNames()) {
            if (shape == *c.shape)
                add("shape=" + name);
        }
    }
    if (c.riseMs)
        add("rise=" + decimalText(*c.riseMs));
    if (c.snrDb)
        add("snr=" + decimalText(*c.snrDb));
    if (c.filterHz)
        add("filter=" + decimalText(*c.filterHz));
    if (c.filterShape == FilterShape::Chebyshev)
        add("filter-shape=chebyshev");
    if (c.qsbHz)
        add("qsb=" + decimalText(*c.qsbHz));
    if (c.qsbK != 0)
        add("qsb-k=" + decimalText(c.qsbK));
    if (c.qrnRate != 0)
        add("qrn=" + decimalText(c.qrnRate));
    if (c.crashRate != 0)
        add("crashes=" + decimalText(c.crashRate));
    if (c.qrm != 0)
        add("qrm=" + std::to_string(c.qrm));
    if (c.chirpHz != 0)
        add("chirp=" + decimalText(c.chirpHz));
    if (c.chirpTauMs != ReceptionConditions{}.chirpTauMs)
        add("chirp-tau=" + decimalText(c.chirpTauMs));
    if (c.rampToWpm)
        add("ramp-to=" + decimalText(*c.rampToWpm));
    return out;
}

ReceptionConditions parseConditionsText(std::string_view text, std::vector<std::string>* skipped)
{
    ReceptionConditions c;
    std::istringstream words{std::string(text)};
    std::string word;
    while (words >> word) {
        if (!readCondition(word, c) && skipped != nullptr)
            skipped->push_back(word);
    }
    return c;
}

} // namespace brivo::reception
