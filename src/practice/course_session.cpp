#include "practice/course_session.h"

namespace brivo::practice {

Result<MaterialSession> drawCourseSession(const CourseState& state,
                                          const std::map<std::pair<char32_t, char32_t>, int>& confusions,
                                          MaterialKind kind, const MaterialSources& sources,
                                          const KeyedPredicate& keyed, bool byLesson, const SessionSpec& spec,
                                          const TextDuration& seconds, RandomGenerator& random)
{
    if (kind == MaterialKind::Groups)
        return MaterialSession{drawSession(state, confusions, spec, seconds, random), {}};
    CharacterFilter filter{keyed, std::nullopt};
    if (byLesson)
        filter.lesson = state.characters();
    return drawMaterial(kind, sources, filter, MaterialAmount{spec.groups, spec.minutes}, seconds, random);
}

} // namespace brivo::practice
