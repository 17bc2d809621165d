#pragma once

#include "core/message_sink.h"

#include <functional>
#include <string>
#include <string_view>

namespace brim {

enum class SaveOutcome { Saved, OpenFailed, WriteFailed };

struct SaveResult {
    SaveOutcome outcome = SaveOutcome::Saved;
    std::string reason; // on a failure, the system's words ("No space left on device") or empty
};

// How the program writes every file it writes, the report and the workbook: to a temporary file
// beside the target, renamed over it only once every byte has reached the disk. On any failure
// the old file stays as it was and no temporary file is left. The one exception is a writable
// file in a folder that the user may not write to: no temporary file can be made there, so the
// file is emptied and written in place, every write still checked. A chosen path that is a
// symbolic link is followed, so the fresh file replaces the link's target and the link keeps
// pointing at it. A file without any write permission bit is treated as read-only and left
// alone, even for a user (root) whom the system would let write it ("Permission denied").
SaveResult saveFileAtomically(const std::string& chosenPath, std::string_view text);

// What Print and Save Workbook say of a save: nothing when it went through, otherwise the one
// message `sentence` makes of the failure (Print's fixed texts, Save Workbook's naming the file
// and the system's reason). True when saved.
bool saidOfSave(const SaveResult& result, MessageSink& messages,
                const std::function<std::string(const SaveResult&)>& sentence);

} // namespace brim
