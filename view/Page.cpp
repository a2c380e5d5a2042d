#include "view/Page.h"

#include "view/PageTemplate.h"

#include <string_view>

namespace
{
std::string HtmlText(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
        switch (c)
        {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    return escaped;
}

// JSON inside a script element: "</" would end the element, and "\/" is the
// same text to JSON.
std::string ScriptJson(const nlohmann::json& value)
{
    std::string text = value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    for (std::size_t at = text.find("</"); at != std::string::npos; at = text.find("</", at + 3))
        text.replace(at, 2, "<\\/");
    return text;
}

// Appends markup up to the next @NAME@ marker and skips over it; false when
// there is none left (the rest is appended).
bool CopyToMarker(std::string_view& markup, std::string& out)
{
    const std::size_t at = markup.find('@');
    const std::size_t end = at == std::string_view::npos ? at : markup.find('@', at + 1);
    if (end == std::string_view::npos)
    {
        out += markup;
        markup = {};
        return false;
    }
    out += markup.substr(0, at);
    markup.remove_prefix(end + 1);
    return true;
}
} // namespace

std::string PageHtml(const PageData& data, const std::string& title)
{
    std::size_t size = std::string_view(kPageMarkup).size() + std::string_view(kPageScript).size();
    for (const std::string& positions : data.positions)
        size += positions.size() + 80;
    std::string page;
    page.reserve(size + 4096);
    std::string_view markup = kPageMarkup;
    // The markers come in this order: @TITLE@, @SCENE@, @POSITIONS@, @SCRIPT@.
    CopyToMarker(markup, page);
    page += HtmlText(title);
    CopyToMarker(markup, page);
    page += ScriptJson(data.scene);
    CopyToMarker(markup, page);
    for (std::size_t i = 0; i < data.positions.size(); ++i)
    {
        page +=
            "<script type=\"application/octet-stream\" id=\"positions-" + std::to_string(i) + "\">";
        page += data.positions[i];
        page += "</script>\n";
    }
    CopyToMarker(markup, page);
    page += kPageScript;
    CopyToMarker(markup, page);
    return page;
}
