#pragma once

#include "model/Project.h"

#include <string>

// The "git" value of a project in the JSON output: null without git, else an object with the
// sync state, the attention flag and its reasons.
std::string gitJson(const Project& project);
// The "repository" value: the enclosing repository's path, or null.
std::string repositoryJson(const Project& project);
