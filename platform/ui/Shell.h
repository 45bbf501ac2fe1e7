#pragma once
// The desktop's shell services the program uses beyond opening documents:
// sending a file as the attachment of a new mail message.
//
// The message goes through the user seam, whose desktop form hands it to the
// user's mail program ready for editing. The mail program may read the
// attachment after the call has returned, so the file is first copied to a
// unique name in a folder of this program that lasts until the program ends;
// the caller may delete its own file at once.

#include <string>

namespace Shell {

// True when the seam has a mail program to take a message.
bool MailAvailable();
// Opens a new message with Subject and FileName attached. Answers 0 when the
// mail program took it, otherwise a non-zero error code (1 the file cannot be
// read or kept, 2 the mail program could not be started).
int SendMail(const std::string& FileName, const std::string& Subject);
// The copy of FileName that SendMail attaches: a unique name in the program's
// attachment folder, kept until the program ends. Empty when it cannot be made.
std::string KeepAttachment(const std::string& FileName);

}  // namespace Shell
