// The printer's automation surface. Row order is the declaration order and
// fixes the DISPIDs (1 to 36); names are spelt exactly as callers use them.
#include "service/server/pos_printer_object.h"

namespace server {
namespace {

using Object = CPOSPrinterObject;
using Table = CDispatchTable<Object>;
using F = CallFrame;
constexpr Returns kNothing = Returns::Nothing;
constexpr Returns kLong = Returns::Long;
constexpr Returns kString = Returns::String;

const Table::Member kMembers[] = {
    {L"GetPropertyNumber", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().GetPropertyNumber(f.Long(0))); }},
    {L"SetPropertyNumber", "ll", kNothing, [](Object& o, F& f) { o.Printer().SetPropertyNumber(f.Long(0), f.Long(1)); }},
    {L"GetPropertyString", "l", kString, [](Object& o, F& f) { f.ReturnText(o.Printer().GetPropertyString(f.Long(0))); }},
    {L"SetPropertyString", "ls", kNothing, [](Object& o, F& f) { o.Printer().SetPropertyString(f.Long(0), f.Text(1)); }},
    {L"OpenService", "ssd", kLong, [](Object& o, F& f) { f.ReturnLong(o.OpenService(f.Text(0), f.Text(1), f.Object(2))); }},
    {L"Close", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Close()); }},
    {L"ClaimDevice", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().ClaimDevice(f.Long(0))); }},
    {L"ReleaseDevice", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().ReleaseDevice()); }},
    {L"CheckHealth", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().CheckHealth(f.Long(0))); }},
    {L"DirectIO", "lLS", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().DirectIO(f.Long(0), &f.Long(1), &f.Text(2))); }},
    {L"COFreezeEvents", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().COFreezeEvents(f.Long(0))); }},
    {L"ClearOutput", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().ClearOutput()); }},
    {L"BeginInsertion", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().BeginInsertion(f.Long(0))); }},
    {L"BeginRemoval", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().BeginRemoval(f.Long(0))); }},
    {L"EndInsertion", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().EndInsertion()); }},
    {L"EndRemoval", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().EndRemoval()); }},
    {L"CutPaper", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().CutPaper(f.Long(0))); }},
    {L"PrintBarCode", "lslllll", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Printer().PrintBarCode(f.Long(0), f.Text(1), f.Long(2), f.Long(3), f.Long(4), f.Long(5),
                                             f.Long(6)));
     }},
    {L"PrintBitmap", "lsll", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().PrintBitmap(f.Long(0), f.Text(1), f.Long(2), f.Long(3))); }},
    {L"PrintImmediate", "lp", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().PrintImmediate(f.Long(0), o.PrintText(f.Wide(1)))); }},
    {L"PrintNormal", "lp", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().PrintNormal(f.Long(0), o.PrintText(f.Wide(1)))); }},
    {L"PrintTwoNormal", "lpp", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Printer().PrintTwoNormal(f.Long(0), o.PrintText(f.Wide(1)), o.PrintText(f.Wide(2))));
     }},
    {L"RotatePrint", "ll", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().RotatePrint(f.Long(0), f.Long(1))); }},
    {L"SetBitmap", "llsll", kLong,
     [](Object& o, F& f) {
       f.ReturnLong(o.Printer().SetBitmap(f.Long(0), f.Long(1), f.Text(2), f.Long(3), f.Long(4)));
     }},
    {L"SetLogo", "lp", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().SetLogo(f.Long(0), o.LogoText(f.Wide(1)))); }},
    {L"TransactionPrint", "ll", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().TransactionPrint(f.Long(0), f.Long(1))); }},
    {L"ValidateData", "lp", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().ValidateData(f.Long(0), o.PrintText(f.Wide(1)))); }},
    {L"ChangePrintSide", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().ChangePrintSide(f.Long(0))); }},
    {L"MarkFeed", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().MarkFeed(f.Long(0))); }},
    {L"ResetStatistics", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().ResetStatistics(f.Text(0))); }},
    {L"RetrieveStatistics", "S", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().RetrieveStatistics(&f.Text(0))); }},
    {L"UpdateStatistics", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().UpdateStatistics(f.Text(0))); }},
    {L"CompareFirmwareVersion", "sL", kLong,
     [](Object& o, F& f) { f.ReturnLong(o.Printer().CompareFirmwareVersion(f.Text(0), &f.Long(1))); }},
    {L"UpdateFirmware", "s", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().UpdateFirmware(f.Text(0))); }},
    {L"ClearPrintArea", "", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().ClearPrintArea()); }},
    {L"pageModePrint", "l", kLong, [](Object& o, F& f) { f.ReturnLong(o.Printer().pageModePrint(f.Long(0))); }},
};

const Table kTable(kMembers);

}  // namespace

const CDispatchTable<CPOSPrinterObject>& CPOSPrinterObject::Table() { return kTable; }

}  // namespace server
