#pragma once

#include <QString>

#include <optional>

struct ConversionWorkspace;
class DefaultDirectorySetting;
class OutputPrompts;

// True when path names an existing directory. A plain file does not pass: the
// TXT file is written inside the default directory.
bool directoryExists(const QString &path);

// Whether a default directory can be written into, and if not, why not.
enum class DirectoryProblem {
    None,
    Empty,       // nothing is stored
    Garbled,     // control characters or undecodable bytes: no path at all
    NotAbsolute, // a relative path, or one from another system ("D:\Lyrics" here)
    Missing,
    NotAFolder,
};

DirectoryProblem checkDefaultDirectory(const QString &path);

// The destination label's caption for a directory (or a note that none is set).
QString destinationCaption(const QString &directory);

// The default directory as far as it is known without asking: the one chosen
// in this run when the settings file could not keep it, else the stored one,
// whatever it holds. For the destination label and the folder link.
std::optional<QString> knownDefaultDirectory(const ConversionWorkspace &workspace,
                                             const DefaultDirectorySetting &setting);

// Lets the user pick a directory by saving a dummy file name in it. On success
// defaultDir is the chosen path cut before its last "\" or "/" (in native
// separators) and dirCancelled is false; on Cancel dirCancelled is true and
// defaultDir keeps its value.
void AskDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts);

// The question of the first run: asks until the user picks an existing
// directory ("重新录入！" after any other) or cancels ("用户放弃定义默认路径！").
// The choice is stored in the settings file; when it cannot be, one warning
// says why and the choice stands for the rest of the run (sessionDefaultDir).
// The destination label follows. Returns whether a directory was chosen.
bool chooseDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                            const DefaultDirectorySetting &setting);

// The first step of Generate in the default directory: makes sure a usable
// default directory is known. When none is stored, or the stored one cannot
// be used (missing, no folder, no absolute path, unreadable), one message
// says why and chooseDefaultDirectory() asks for a new one. Returns whether
// Generate may go on; defaultDir then holds the directory. Every stop has
// already been reported to the user.
bool EnsureDefaultDirectory(ConversionWorkspace &workspace, OutputPrompts &prompts,
                            const DefaultDirectorySetting &setting);
