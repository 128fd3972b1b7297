#pragma once
// The application's resources by kind and id, read from the Qt resource tree (":/").
// A missing resource is never an error: the loaders return an empty text or a null
// image and the caller takes its fallback.
//
// Layout under the root:
//   pictures/<id>.png            'PICT'
//   pictures/ppat/<id>.png       'ppat' (the tile)
//   pictures/crsr/<id>.png       'crsr', with pictures/crsr/<id>.txt holding "h v" (hot spot)
//   pictures/pltt/<id>.txt       'pltt', one entry a line: "red green blue" (0..65535)
//   text/strings/<id>.txt        'STR#', one item a line
//   text/str/<id>.txt            'STR ' by id
//   text/named/<name>.txt        'STR ' by name
//   text/text/<id>.txt           'TEXT'
//   text/messages.txt, text/speech_messages.txt   the numbered message tables
#include <QImage>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/core/pstring.h"

namespace bg {

// ":/" unless a test points it at a folder (with a trailing slash).
void setResourceRoot(const QString& root);
QString resourceRoot();

// The file's bytes; false when it does not exist.
bool readResourceFile(const QString& relativePath, QByteArray& out);
// An image resource converted to RGB32 (or ARGB32 when it has transparency); null when
// missing or unreadable.
QImage loadResourceImage(const QString& relativePath);

// Item index (1-based) of string list listId; empty when either is missing.
Str255 getIndString(int16_t listId, int16_t index);
Str255 getString(int16_t id);
Str255 getNamedString(std::string_view name);
// A 'TEXT' resource; carriage returns become line feeds.
std::string getText(int16_t id);

// Loads the numbered message table, and the second (spoken) table when asked; returns the
// entries set in the first.
int16_t loadMessageResources(bool secondTable = true);

}  // namespace bg
