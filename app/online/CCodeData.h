#pragma once
// One statistics record: "window", "button" and "type", and the event's
// details as texts in the child object "ext_data"; written as compact UTF-8
// JSON, members in byte order of their keys.
#include <string>

#include "app/core/CjJsonCpp.h"

class CCodeData : public CjJsonCpp {
public:
    void SetWindow(const std::wstring& window) { m_strings[L"window"] = window; }
    void SetButton(const std::wstring& button) { m_strings[L"button"] = button; }
    void SetType(const std::wstring& type) { m_strings[L"type"] = type; }
    CjJsonCpp& Ext() { return m_ext; }

    // Puts a copy of the ext record under "ext_data" first.
    std::string ToString() override;

private:
    CjJsonCpp m_ext;
};
