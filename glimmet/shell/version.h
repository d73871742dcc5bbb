#pragma once
// Glimmet's version, shared by the caption and the version resource: the release version that
// CMake generates from project(VERSION).
#include "release_version.h"
#define GLIMMET_VERSION_MAJOR RELEASE_VERSION_MAJOR
#define GLIMMET_VERSION_MINOR RELEASE_VERSION_MINOR
#define GLIMMET_VERSION_REVISION RELEASE_VERSION_PATCH
