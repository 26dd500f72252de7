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

#include <QTest>

#include <optional>

// A tool as the tests name it: its caption, "none" for no tool.
inline QString toolName(std::optional<ToolId> tool)
{
    return tool ? toolRow(*tool).captionText() : QStringLiteral("none");
}

// Failure messages name the tools rather than their positions.
inline char *toString(std::optional<ToolId> tool)
{
    return QTest::toString(toolName(tool));
}
inline char *toString(ToolId tool)
{
    return toString(std::optional(tool));
}

inline constexpr std::optional<ToolId> NoTool;
