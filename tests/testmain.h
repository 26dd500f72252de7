#pragma once

#include <QObject>

#include <functional>
#include <memory>

// Each test class registers itself here so that one executable per folder runs
// all the classes of that folder.
namespace kalvo::testing {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

int registerTest(const char *name, TestFactory factory);

} // namespace kalvo::testing

#define KALVO_TEST(Class)                                                                          \
    [[maybe_unused]] static const int kalvoTestRegistered##Class =                                 \
        kalvo::testing::registerTest(#Class, [] { return std::make_unique<Class>(); });

#include "tools/tool_table.h"

#include <optional>

// A tool as its palette position, -1 for none: the tables of the tests list
// tools by position.
inline int toolIndex(std::optional<ToolId> tool)
{
    return tool ? static_cast<int>(*tool) : -1;
}
