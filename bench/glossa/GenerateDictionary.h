#pragma once

#include <QString>

// Writes a new dictionary of count generated entries (deterministic: the same count gives the same
// file). Throws glossa::DatabaseError.
void GenerateDictionary(const QString& path, int count);
