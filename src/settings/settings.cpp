#include "settings/settings.h"

#include "editzone/text_scale.h"

#include <algorithm>
#include <functional>

namespace brivo::settings {
namespace {

// One stored value: its name, how a stored value is taken (false when its
// type is not the row's) and how it is written.
struct Field {
    std::string_view name;
    std::function<bool(const Value&, Settings&)> load;
    std::function<Value(const Settings&)> save;
};

using IntegerLoad = std::function<void(std::int32_t, Settings&)>;

Field integerField(std::string_view name, IntegerLoad take, std::function<std::int32_t(const Settings&)> give)
{
    return {name,
            [take = std::move(take)](const Value& value, Settings& s) {
                if (value.type != Value::Type::Integer)
                    return false;
                take(value.integer, s);
                return true;
            },
            [give = std::move(give)](const Settings& s) { return Value::ofInteger(give(s)); }};
}

// An integer taken only within `range`, bounds included.
Field rangedField(std::string_view name, int Settings::*field, ControlRange range)
{
    return integerField(
        name,
        [field, range](std::int32_t value, Settings& s) {
            if (range.contains(value))
                s.*field = value;
        },
        [field](const Settings& s) { return s.*field; });
}

enum class Zeros { EndTheText, AreText };

// `slot` gives the text of a Settings, const or not. A name or a short
// entry ends at its first zero byte; the zone's text keeps its zeros, as
// they were typed or pasted.
template <typename Slot> Field textField(std::string_view name, Slot slot, Zeros zeros = Zeros::EndTheText)
{
    return {name,
            [slot, zeros](const Value& value, Settings& s) {
                if (!value.isText())
                    return false;
                slot(s) = zeros == Zeros::AreText ? value.text : value.text.substr(0, value.text.find('\0'));
                return true;
            },
            [slot](const Settings& s) { return Value::ofText(slot(s)); }};
}

Field textField(std::string_view name, std::string Settings::*field, Zeros zeros = Zeros::EndTheText)
{
    return textField(
        name, [field](auto& s) -> auto& { return s.*field; }, zeros);
}

// Below `low` the position becomes 0; above `high`, `high`.
std::int32_t clampPosition(std::int32_t value, int low, int high)
{
    if (value < low)
        return 0;
    return value > high ? high : value;
}

std::vector<Field> buildFields(ScreenSize screen)
{
    const std::array<std::string_view, exercise::kSeriesCount> tickNames = {
        "Selec_Serie_1", "Selec_Serie_2", "Selec_Serie_3", "Selec_Serie_4", "Selec_Serie_5",
        "Selec_Serie_6", "Selec_Serie_7", "Selec_Serie_8", "Selec_Serie_9"};
    const std::array<std::string_view, exercise::kSeriesCount> seriesNames = {
        "Serie_1", "Serie_2", "Serie_3", "Serie_4", "Serie_5", "Serie_6", "Serie_7", "Serie_8", "Serie_9"};

    std::vector<Field> fields;
    fields.push_back(integerField(
        "X_origine", [screen](std::int32_t v, Settings& s) { s.left = clampPosition(v, -200, screen.width - 40); },
        [](const Settings& s) { return s.left.value_or(0); }));
    fields.push_back(integerField(
        "Y_origine", [screen](std::int32_t v, Settings& s) { s.top = clampPosition(v, -20, screen.height - 40); },
        [](const Settings& s) { return s.top.value_or(0); }));
    fields.push_back(rangedField("Frequence", &Settings::tone, sound::kTone));
    fields.push_back(rangedField("Signal", &Settings::signal, sound::kSignal));
    fields.push_back(rangedField("Souffle", &Settings::noise, sound::kNoise));
    fields.push_back(rangedField("Vitesse", &Settings::speed, sound::kSpeed));
    fields.push_back(rangedField("Nombre_de_groupes", &Settings::groups, exercise::kGroups));
    fields.push_back(rangedField("Lettres_par_groupe", &Settings::groupSize, exercise::kGroupSize));
    for (std::size_t i = 0; i < exercise::kSeriesCount; ++i) {
        fields.push_back(integerField(
            tickNames[i], [i](std::int32_t v, Settings& s) { s.ticked[i] = v != 0; },
            [i](const Settings& s) { return s.ticked[i] ? 1 : 0; }));
        fields.push_back(textField(
            seriesNames[i], [i](auto& s) -> auto& { return s.series[i]; }));
    }
    const ControlRange rates{0, static_cast<int>(sound::kSampleRates.size()) - 1, sound::kInitialRateIndex};
    fields.push_back(rangedField("Frequence_Echantillonnage", &Settings::rateIndex, rates));
    fields.push_back(textField("Nom_Fichier_WAV", &Settings::wavFile));
    fields.push_back(textField("Debut_Lecture", &Settings::start));
    fields.push_back(textField("Fin_Lecture", &Settings::end));
    fields.push_back(textField("Fichier_Ouvrir_Data", &Settings::openFile));
    fields.push_back(textField("Fichier_Sauver_Data", &Settings::saveFile));
    constexpr ControlRange filters{1, 2, 1};
    fields.push_back(rangedField("Type_Ouvrir_Data", &Settings::openFilter, filters));
    fields.push_back(rangedField("Type_Sauver_Data", &Settings::saveFilter, filters));
    fields.push_back(rangedField("Duree_Espace", &Settings::spacing, sound::kSpacing));
    fields.push_back(integerField(
        "Tirage_depuis_Series", [](std::int32_t v, Settings& s) { s.seriesMode = v != 0; },
        [](const Settings& s) { return s.seriesMode ? 1 : 0; }));
    fields.push_back(rangedField("Nombre_de_lettres", &Settings::letterGroups, exercise::kLetterGroups));
    fields.push_back(rangedField("Nombre_de_chiffres", &Settings::digitGroups, exercise::kDigitGroups));
    fields.push_back(integerField(
        "Couleur_du_texte", [](std::int32_t v, Settings& s) { s.textColour = static_cast<std::uint32_t>(v); },
        [](const Settings& s) { return static_cast<std::int32_t>(s.textColour); }));
    fields.push_back(integerField(
        "Couleur_du_fond", [](std::int32_t v, Settings& s) { s.backgroundColour = static_cast<std::uint32_t>(v); },
        [](const Settings& s) { return static_cast<std::int32_t>(s.backgroundColour); }));
    fields.push_back(textField("Zone_d_edition", &Settings::zoneText, Zeros::AreText));
    fields.push_back(integerField(
        "Mot_de_reference", [](std::int32_t v, Settings& s) { s.referenceWord = v != 0 ? 1 : 0; },
        [](const Settings& s) { return s.referenceWord; }));
    fields.push_back(integerField(
        "Conditions_Actives", [](std::int32_t v, Settings& s) { s.conditionsOn = v != 0; },
        [](const Settings& s) { return s.conditionsOn ? 1 : 0; }));
    fields.push_back(textField("Conditions_Reception", &Settings::conditions));
    fields.push_back(textField("Cours_Koch", &Settings::course));
    fields.push_back(textField("Exportation", &Settings::exportChoices));
    fields.push_back(integerField(
        "Reponse_parlee",
        [](std::int32_t v, Settings& s) { s.spokenAnswerTenths = v >= 10 && v <= 100 ? static_cast<int>(v) : 0; },
        [](const Settings& s) { return s.spokenAnswerTenths; }));
    fields.push_back(integerField(
        "Taille_du_texte",
        [](std::int32_t v, Settings& s) { s.zoneTextScale = editzone::validTextScale(static_cast<int>(v)); },
        [](const Settings& s) { return s.zoneTextScale; }));
    fields.push_back(integerField(
        "Reponse_puis_morse", [](std::int32_t v, Settings& s) { s.spokenAnswerKeyedAgain = v != 0; },
        [](const Settings& s) { return s.spokenAnswerKeyedAgain ? 1 : 0; }));
    fields.push_back(textField("Manipulation", &Settings::sending));
    fields.push_back(textField("Exercices", &Settings::drills));
    return fields;
}

// The load reads every tick before every series text; the save writes
// each tick beside its text.
std::vector<std::size_t> loadOrder(const std::vector<Field>& fields)
{
    std::vector<std::size_t> order;
    std::vector<std::size_t> texts;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        (fields[i].name.starts_with("Serie_") ? texts : order).push_back(i);
        if (fields[i].name == "Serie_9") {
            order.insert(order.end(), texts.begin(), texts.end());
            texts.clear();
        }
    }
    return order;
}

} // namespace

Settings::Settings()
{
    for (std::size_t i = 0; i < series.size(); ++i)
        series[i] = std::string(exercise::kInitialSeries[i]);
}

const std::vector<std::string_view>& valueNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        for (const Field& field : buildFields({}))
            all.push_back(field.name);
        return all;
    }();
    return names;
}

std::vector<std::string> load(const RegistryFile& file, ScreenSize screen, Settings& settings)
{
    std::vector<std::string> errors;
    const std::vector<Field> fields = buildFields(screen);
    const auto wrongType = [](std::string_view name) {
        return "Type de données incorrect pour '" + std::string(name) + "'";
    };
    for (const std::size_t i : loadOrder(fields)) {
        const Value* value = file.find(fields[i].name);
        if (value != nullptr && !fields[i].load(*value, settings))
            errors.push_back(wrongType(fields[i].name));
    }
    // A line naming a value of ours that could not be read at all.
    for (const std::string& line : file.unread) {
        const std::optional<std::string> name = lineName(line);
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const Field& f) { return name && equalNames(f.name, *name); });
        if (field != fields.end())
            errors.push_back(wrongType(field->name));
    }
    return errors;
}

void save(const Settings& settings, RegistryFile& file)
{
    for (const Field& field : buildFields({}))
        file.set(field.name, field.save(settings));
}

} // namespace brivo::settings
