// Reading the dataset's readable sources (UTF-8 text, one statement per line) into dataset_source.
#pragma once
#include "dataset_source.h"
#include <string>
#include <vector>

// Parses one source file's text (its name is used in messages) into source; problems go to errors.
void parse_source_text(const std::string &file, const std::string &text, dataset_source *source,
                       source_errors *errors);
// Parses every "*.txt" file of folder, in name order; 0 when the folder cannot be read.
int parse_source_folder(const std::string &folder, dataset_source *source, source_errors *errors);

// Splits a line into words at blanks outside double quotes; 0 when a quote is not closed.
int split_words(const std::string &line, std::vector<std::string> *words);
// A byte value written as "text" (escapes \\ \" \n \r \t \0 \xHH) or hex:HHHH; 0 when malformed.
int decode_bytes(const std::string &written, std::vector<unsigned char> *bytes);
// A whole decimal or 0x number; 0 when the text is not one.
int parse_number(const std::string &text, long long *value);
