// The cash drawer's automation surface. Row order is the declaration order
// and fixes the DISPIDs (1 to 18).
#include "service/server/cash_drawer_object.h"

namespace server {
namespace {

using Object = CCashDrawerObject;
using Table = CDispatchTable<Object>;
using F = CallFrame;
constexpr Returns kNothing = Returns::Nothing;
constexpr Returns kLong = Returns::Long;
constexpr Returns kString = Returns::String;

const Table::Member kMembers[] = {
    {L"COFreezeEvents", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().COFreezeEvents(f.Long(0))); }},
    {L"CheckHealth", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().CheckHealth(f.Long(0))); }},
    {L"ClaimDevice", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().ClaimDevice(f.Long(0))); }},
    {L"Close", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Close()); }},
    {L"DirectIO", "lLS", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Drawer().DirectIO(f.Long(0), &f.Long(1), &f.Text(2))); }},
    {L"GetPropertyNumber", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().GetPropertyNumber(f.Long(0))); }},
    {L"GetPropertyString", "l", kString, [](Object& o, F& f) { f.ReturnText(o.Drawer().GetPropertyString(f.Long(0))); }},
    {L"OpenDrawer", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().OpenDrawer()); }},
    {L"OpenService", "ssd", kLong, [](Object& o, F& f) { f.ReturnLong(o.OpenService(f.Text(0), f.Text(1), f.Object(2))); }},
    {L"ReleaseDevice", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().ReleaseDevice()); }},
    {L"SetPropertyNumber", "ll", kNothing, [](Object& o, F& f) { o.Drawer().SetPropertyNumber(f.Long(0), f.Long(1)); }},
    {L"SetPropertyString", "ls", kNothing, [](Object& o, F& f) { o.Drawer().SetPropertyString(f.Long(0), f.Text(1)); }},
    {L"WaitForDrawerClose", "llll", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Drawer().WaitForDrawerClose(f.Long(0), f.Long(1), f.Long(2), f.Long(3)));
     }},
    {L"ResetStatistics", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().ResetStatistics(f.Text(0))); }},
    {L"RetrieveStatistics", "S", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Drawer().RetrieveStatistics(&f.Text(0))); }},
    {L"UpdateStatistics", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().UpdateStatistics(f.Text(0))); }},
    {L"CompareFirmwareVersion", "sL", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Drawer().CompareFirmwareVersion(f.Text(0), &f.Long(1))); }},
    {L"UpdateFirmware", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Drawer().UpdateFirmware(f.Text(0))); }},
};

const Table kTable(kMembers);

}  // namespace

const CDispatchTable<CCashDrawerObject>& CCashDrawerObject::Table() { return kTable; }

}  // namespace server
