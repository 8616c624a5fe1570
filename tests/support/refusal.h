#pragma once
#include <gtest/gtest.h>

#include <string>

#include "data/file_error.h"

namespace lumera::testing {

// Fails unless `read` throws Error whose message holds every one of `mentions`
// (the file's name, the detail that was wrong).
template <typename Error = FileError, typename F>
void ExpectRefused(F&& read, std::initializer_list<std::string> mentions)
{
    std::string message;
    try {
        read();
        ADD_FAILURE() << "accepted, expected a refusal naming " << *mentions.begin();
        return;
    } catch (const Error& e) {
        message = e.what();
    }
    for (const std::string& m : mentions) EXPECT_NE(message.find(m), std::string::npos) << message << " lacks " << m;
}

}  // namespace lumera::testing
