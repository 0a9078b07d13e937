#pragma once

namespace tessaro::platform {

// For the small tools a run starts: once enabled, the file a tool is writing
// beside its target (see AtomicFile) is removed when the tool is told to end
// (SIGTERM, SIGINT, SIGHUP), so a stopped run leaves no temporary file behind.
// The program itself never enables it: its signals are its own business.
void EnableTerminationCleanup();

// The file to remove if the tool is told to end now; nullptr: none. Does
// nothing unless enabled.
void RemoveOnTermination(const char* path);

}  // namespace tessaro::platform
