#pragma once
// File steps that a crash or a full disk cannot leave half done: a copy is written beside its
// target under another name, flushed to disk and renamed over the target, and the folder is
// flushed after the rename. Each step throws Error(source, text naming the file and the reason).

#include <QString>

namespace telmora {

// Writes the bytes of from into staged (replacing it) and flushes them to disk. A failure to
// write names shownAs (the file the copy is meant to become) when given, else staged.
void copyToStaging(const QString& from, const QString& staged, const QString& source,
                   const QString& shownAs = QString());
// Puts from in place of to in one rename (same file system) and flushes the folder.
void renameInPlace(const QString& from, const QString& to, const QString& source);
// copyToStaging beside to, then renameInPlace: to is the old file or the whole copy.
void copyDurably(const QString& from, const QString& to, const QString& source);
// Flushes a file already written to disk.
void syncFile(const QString& path, const QString& source);
// The name beside target under which its replacement is written.
QString stagingPathFor(const QString& target);
// The reason behind an errno value, in the program's words.
QString fileErrorReason(int errnum);

}  // namespace telmora
