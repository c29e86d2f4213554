// The form tool's commands, each run in the library folder it is given.
#pragma once
#include <string>

// Makes the folder a library folder whose "Resources" holds the sample forms, their pictures, an animation and the
// default face. False with the reason on stderr.
bool WriteSampleFolder(const std::string& folder);
// Prints every page of the form with its controls: class, name, position and position method. False when the
// form cannot be loaded.
bool PrintFormTree(const std::string& formName);
// Shows the page at width x height (the form's 1024 x 768 design scaled to fit) and writes the drawing as a PNG.
bool RenderPage(const std::string& formName, const std::string& pageName, int width, int height,
                const std::string& pngPath);
// Points the library's collections at the folder it runs in (the working folder).
void UseLibraryFolder();
