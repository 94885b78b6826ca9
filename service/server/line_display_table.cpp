// The line display's automation surface: every method the LineDisplay
// Control Objects of version 1.9 look up, in their order. Row order is the
// declaration order and fixes the DISPIDs (1 to 29).
#include "service/server/line_display_object.h"

namespace server {
namespace {

using Object = CLineDisplayObject;
using Table = CDispatchTable<Object>;
using F = CallFrame;
constexpr Returns kNothing = Returns::Nothing;
constexpr Returns kLong = Returns::Long;
constexpr Returns kString = Returns::String;

const Table::Member kMembers[] = {
    {L"COFreezeEvents", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().COFreezeEvents(f.Long(0))); }},
    {L"GetPropertyNumber", "l", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().GetPropertyNumber(f.Long(0))); }},
    {L"SetPropertyNumber", "ll", kNothing,
     [](Object& o, F& f) { o.Display().SetPropertyNumber(f.Long(0), f.Long(1)); }},
    {L"GetPropertyString", "l", kString,
     [](Object& o, F& f) { f.ReturnText(o.Display().GetPropertyString(f.Long(0))); }},
    {L"SetPropertyString", "ls", kNothing,
     [](Object& o, F& f) { o.Display().SetPropertyString(f.Long(0), f.Text(1)); }},
    {L"OpenService", "ssd", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.OpenService(f.Text(0), f.Text(1), f.Object(2))); }},
    {L"CheckHealth", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().CheckHealth(f.Long(0))); }},
    {L"ClaimDevice", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().ClaimDevice(f.Long(0))); }},
    {L"Close", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Close()); }},
    {L"DirectIO", "lLS", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().DirectIO(f.Long(0), &f.Long(1), &f.Text(2))); }},
    {L"ReleaseDevice", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().ReleaseDevice()); }},
    {L"ClearDescriptors", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().ClearDescriptors()); }},
    {L"ClearText", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().ClearText()); }},
    {L"CreateWindow", "llllll", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Display().CreateWindow(f.Long(0), f.Long(1), f.Long(2), f.Long(3), f.Long(4), f.Long(5)));
     }},
    {L"DestroyWindow", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().DestroyWindow()); }},
    {L"DisplayText", "pl", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().DisplayText(f.Wide(0), f.Long(1))); }},
    {L"DisplayTextAt", "llpl", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Display().DisplayTextAt(f.Long(0), f.Long(1), f.Wide(2), f.Long(3)));
     }},
    {L"RefreshWindow", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().RefreshWindow(f.Long(0))); }},
    {L"ScrollText", "ll", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().ScrollText(f.Long(0), f.Long(1))); }},
    {L"SetDescriptor", "ll", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().SetDescriptor(f.Long(0), f.Long(1))); }},
    {L"DefineGlyph", "ls", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().DefineGlyph(f.Long(0), f.Text(1))); }},
    {L"ReadCharacterAtCursor", "L", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().ReadCharacterAtCursor(&f.Long(0))); }},
    {L"DisplayBitmap", "slll", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Display().DisplayBitmap(f.Text(0), f.Long(1), f.Long(2), f.Long(3)));
     }},
    {L"SetBitmap", "lslll", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Display().SetBitmap(f.Long(0), f.Text(1), f.Long(2), f.Long(3), f.Long(4)));
     }},
    {L"ResetStatistics", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().ResetStatistics(f.Text(0))); }},
    {L"RetrieveStatistics", "S", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().RetrieveStatistics(&f.Text(0))); }},
    {L"UpdateStatistics", "s", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().UpdateStatistics(f.Text(0))); }},
    {L"CompareFirmwareVersion", "sL", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Display().CompareFirmwareVersion(f.Text(0), &f.Long(1))); }},
    {L"UpdateFirmware", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Display().UpdateFirmware(f.Text(0))); }},
};

const Table kTable(kMembers);

}  // namespace

const CDispatchTable<CLineDisplayObject>& CLineDisplayObject::Table() { return kTable; }

}  // namespace server
