#pragma once

#include "core/util/result.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quorel {

// Where the program's settings live: named integers, booleans and texts in one place (one key
// of the per-user settings). A read gives nothing when the value is missing or is not of the
// type asked for, so a damaged value falls back to its default instead of failing.
class KeyValueStore
{
public:
    virtual ~KeyValueStore() = default;

    [[nodiscard]] virtual bool contains(std::string_view key) const = 0;
    [[nodiscard]] virtual std::optional<std::int32_t> readInt(std::string_view key) const = 0;
    // Booleans are stored as the integers 1 and 0; any other integer reads as true.
    [[nodiscard]] virtual std::optional<bool> readBool(std::string_view key) const = 0;
    [[nodiscard]] virtual std::optional<std::string> readString(std::string_view key) const = 0;

    [[nodiscard]] virtual Status writeInt(std::string_view key, std::int32_t value) = 0;
    [[nodiscard]] virtual Status writeBool(std::string_view key, bool value) = 0;
    [[nodiscard]] virtual Status writeString(std::string_view key, std::string_view value) = 0;

    // Makes the writes lasting; fails when the store could not be written.
    [[nodiscard]] virtual Status flush() { return success(); }
};

// A store held in memory: the batch front end's settings and the tests' registry.
class MemoryKeyValueStore : public KeyValueStore
{
public:
    using Value = std::variant<std::int32_t, bool, std::string>;

    bool contains(std::string_view key) const override { return m_values.contains(key); }
    std::optional<std::int32_t> readInt(std::string_view key) const override
    {
        const auto it = m_values.find(key);
        if (it == m_values.end())
            return std::nullopt;
        if (const auto *value = std::get_if<std::int32_t>(&it->second))
            return *value;
        if (const auto *value = std::get_if<bool>(&it->second))
            return *value ? 1 : 0;
        return std::nullopt;
    }
    std::optional<bool> readBool(std::string_view key) const override
    {
        const auto value = readInt(key);
        return value ? std::optional<bool>(*value != 0) : std::nullopt;
    }
    std::optional<std::string> readString(std::string_view key) const override
    {
        const auto it = m_values.find(key);
        if (it == m_values.end())
            return std::nullopt;
        if (const auto *value = std::get_if<std::string>(&it->second))
            return *value;
        return std::nullopt;
    }
    Status writeInt(std::string_view key, std::int32_t value) override
    {
        m_values.insert_or_assign(std::string(key), value);
        return success();
    }
    Status writeBool(std::string_view key, bool value) override
    {
        m_values.insert_or_assign(std::string(key), value);
        return success();
    }
    Status writeString(std::string_view key, std::string_view value) override
    {
        m_values.insert_or_assign(std::string(key), std::string(value));
        return success();
    }

    // Stores any value, of any type (tests use it to damage a value).
    void set(std::string_view key, Value value)
    {
        m_values.insert_or_assign(std::string(key), std::move(value));
    }
    const std::map<std::string, Value, std::less<>> &values() const { return m_values; }

private:
    std::map<std::string, Value, std::less<>> m_values;
};

} // namespace quorel
