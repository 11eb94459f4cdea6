#pragma once

#include "practice/koch_course.h"
#include "practice/material/material.h"

#include <map>
#include <utility>

namespace brivo::practice {

// A session of the course, as the window and brivo-lesson both draw it:
// the course's own groups (drawSession), or items of another material,
// made only of the lesson's characters when `byLesson` (the window always
// keeps to its lesson; brivo-lesson once the course has begun or a lesson
// is chosen). Fails (Refused, French message) when the material has
// nothing to draw.
Result<MaterialSession> drawCourseSession(const CourseState& state,
                                          const std::map<std::pair<char32_t, char32_t>, int>& confusions,
                                          MaterialKind kind, const MaterialSources& sources,
                                          const KeyedPredicate& keyed, bool byLesson, const SessionSpec& spec,
                                          const TextDuration& seconds, RandomGenerator& random);

} // namespace brivo::practice
