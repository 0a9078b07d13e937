#pragma once

#include <string>
#include <vector>

namespace tessaro {

// Where the engine puts the helper and its queue file: the private per-user
// temporary folder + "Renovator4" and + "RenovatorQueue.txt". Empty when no
// private temporary folder can be had; the helper is then never written, since
// a shared folder would let another user swap the file before it runs.
std::string UpdateHelperPath();
std::string UpdateQueuePath();
// Where the helper reports what it moved and what failed.
std::string UpdateResultPath();

// What went wrong when the helper of the last update put its files in place, one
// text each ("... is still in use after 120000 ms; ...", "Cannot move ..."); empty
// when it moved everything or never ran.
std::vector<std::string> UpdateHelperFailures();

// Writes the helper image compiled into the program (the "KUUPG" resource) to
// `path` with mode 0700: into a fresh file beside it, created exclusively and
// without following links, then renamed over whatever was there (an old copy,
// or a link, which is replaced and not followed). False when the image or the
// file cannot be written.
bool WriteUpdateHelper(const std::string& path);

}  // namespace tessaro
