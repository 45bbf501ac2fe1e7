#pragma once
// The desktop's shell services the program uses beyond opening documents:
// sending a file as the attachment of a new mail message.
//
// The message goes to the desktop's mail handler (xdg-email), which opens the
// user's mail program with the message ready for editing. The handler may read
// the attachment after the call has returned, so the file is first copied to a
// unique name in a folder of this program that lasts until the program ends;
// the caller may delete its own file at once.
//
// When a user seam other than the desktop's is installed (tests), the message
// goes to its ShellOpen as a "mailto:" address instead, so no mail program starts.

#include <string>

namespace Shell {

// True when mail can be sent: the desktop's mail handler is installed, or a
// scripted seam answers.
bool MailAvailable();
// Opens a new message with Subject and FileName attached. Answers 0 when the
// mail program was started, otherwise a non-zero error code (1 the file cannot
// be read or kept, 2 the mail handler could not be started, 3 the seam refused).
int SendMail(const std::string& FileName, const std::string& Subject);
// The copy of FileName that SendMail attaches: a unique name in the program's
// attachment folder, kept until the program ends. Empty when it cannot be made.
std::string KeepAttachment(const std::string& FileName);
// The "mailto:" address that stands for a message (subject and attachment escaped).
std::string MailToAddress(const std::string& Subject, const std::string& Attachment);

}  // namespace Shell
