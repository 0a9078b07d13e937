#pragma once

namespace tessaro {

// The engine writes the helper and its queue side by side in the private
// temporary folder; the helper finds the queue beside itself.
inline constexpr const char* kRenovatorFileName = "Renovator4";
inline constexpr const char* kRenovatorQueueFileName = "RenovatorQueue.txt";
// What the helper did, beside the queue: one line a file it moved ("moved", a tab,
// the path) or a failure ("failed", a tab, what went wrong), for the restarted
// program to show.
inline constexpr const char* kRenovatorResultFileName = "RenovatorResult.txt";
inline constexpr const char* kResultMoved = "moved\t";
inline constexpr const char* kResultFailed = "failed\t";
// A download waits under its destination's name plus this suffix.
inline constexpr const char* kDownloadSuffix = ".uTMP";
// Overrides how long the helper waits for a busy program file (milliseconds).
inline constexpr const char* kRenovatorWaitVariable = "TESSARO_RENOVATOR_WAIT_MS";

}  // namespace tessaro
