#pragma once

#include "model/Project.h"

#include <initializer_list>

// Project records for tests that need only a path and a kind; the name is the last folder.
namespace testprojects {

inline Project projectAt(const QByteArray& path, ProjectType type = ProjectType::nodeJS) {
    Project project;
    project.id = QUuid::createUuid();
    project.name = QString::fromUtf8(path.mid(path.lastIndexOf('/') + 1));
    project.path = path;
    project.type = type;
    return project;
}

inline QList<Project> projectsAt(std::initializer_list<const char*> paths) {
    QList<Project> projects;
    for (const char* path : paths) projects.append(projectAt(path));
    return projects;
}

} // namespace testprojects
