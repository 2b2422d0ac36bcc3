#pragma once

#include <QFile>

// Opens the file for reading only when it is a regular file, without ever waiting in the
// open: a FIFO or device where a file is expected (or a file swapped for one) would block
// open() or read() for ever. False, with the file closed, otherwise.
bool OpenRegularFile(QFile& file);
