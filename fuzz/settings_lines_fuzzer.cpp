// Feeds arbitrary text to the one-line settings of the course, the export
// and the sending window, as a hand-edited settings file holds them: what a line reads as
// is written back to a line that reads the same.
#include "export/export_choices.h"
#include "practice/koch_course.h"
#include "sending/keyer_settings_text.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace brivo;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const practice::CourseSettings course = practice::parseCourseSettings(text);
    if (practice::parseCourseSettings(practice::courseSettingsText(course)) != course ||
        course.speeds.effectiveWpm > course.speeds.characterWpm)
        std::abort();
    const exporting::ExportChoices choices = exporting::parseExportChoices(text);
    if (exporting::parseExportChoices(exporting::exportChoicesText(choices)) != choices)
        std::abort();
    const sending::SendingSettings sendingChoices = sending::parseSendingSettings(text);
    if (sending::parseSendingSettings(sending::sendingSettingsText(sendingChoices)) != sendingChoices)
        std::abort();
    return 0;
}
