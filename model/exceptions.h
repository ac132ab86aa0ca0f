// The error family that reading and writing the data file raises.
#pragma once

#include <stdexcept>

class CException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when an integer is read past the end of the data.
class CArchiveException : public CException {
public:
    CArchiveException() : CException("unexpected end of data") {}
};

// Raised when the file itself cannot be written or read.
class CFileException : public CException {
public:
    using CException::CException;
};
