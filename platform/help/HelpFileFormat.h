#pragma once

// How a help file is laid out, shared by the tool that packs it and the
// reader: an SQLite file with this one table, marked by its application id
// ("KVHF") and format version, and nothing else in its schema.
namespace help::format
{

constexpr const char *Schema = "CREATE TABLE pages (name TEXT NOT NULL, content BLOB NOT NULL)";
constexpr int ApplicationId = 0x4B564846;
constexpr int Version = 1;

} // namespace help::format
