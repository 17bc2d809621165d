#pragma once

// Reading a file the planner names, and the system's reason when a read or a write fails: a
// message that names the file and that reason lets the planner mend it.

#include <cstddef>
#include <string>
#include <variant>

namespace brim {

struct FileFailure {
    std::string reason; // the system's words, "Permission denied"; empty when it gave none
};

using FileStart = std::variant<std::string, FileFailure>;

// The first `maxBytes` bytes of the file at `path` (UTF-8), or why they cannot be read. A
// folder is refused as one ("Is a directory"), not read as an empty file.
FileStart readFileStart(const std::string& path, std::size_t maxBytes);

// The system's words for an errno value, without a full stop; empty for 0.
std::string systemReason(int error);

} // namespace brim
