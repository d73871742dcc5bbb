#pragma once
// Glimmet's version, shared by the caption and the version resource.
#define GLIMMET_VERSION_MAJOR 1
#define GLIMMET_VERSION_MINOR 0
#define GLIMMET_VERSION_REVISION 0
