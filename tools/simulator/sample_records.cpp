#include "tools/simulator/sample_records.h"

#include <stdexcept>
#include <string>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_text.h"

namespace sim {
namespace {

// Where the version record says the version in use.
constexpr std::size_t kInSimVerAt = 18;

}  // namespace

const std::vector<std::string_view>& sample_lines() {
    static const std::vector<std::string_view> lines = {
        R"(IS_VER Version="0.7F" Product="S3" InSimVer=9)",
        R"(IS_TINY SubT=TINY_REN)",
        R"(IS_SMALL SubT=SMALL_VTA UVal=2)",
        R"(IS_STA ReplaySpeed=1 Flags=ISS_GAME|ISS_MULTI ViewPLID=1 NumP=3 NumConns=4 )"
        R"(RaceInProg=1 RaceLaps=2 ServerStatus=1 Track="FE2R")",
        R"(IS_CPP Pos={X=6553600 Y=-3276800 Z=131072} H=16384 ViewPLID=1 )"
        R"(InGameCam=VIEW_FOLLOW FOV=90)",
        R"(IS_ISM Host=1 HName="fake_lfs race")",
        R"(IS_MSO UCID=2 PLID=2 UserType=MSO_USER TextStart=11 Msg="Driver 2 : good race")",
        R"(IS_III UCID=3 PLID=3 Msg="can I pit?")",
        R"(IS_VTN UCID=2 Action=VOTE_RESTART)",
        R"(IS_RST RaceLaps=2 NumP=3 Timing=67 Track="FE2R" Flags=HOSTF_CAN_VOTE|HOSTF_CAN_SELECT )"
        R"(NumNodes=16 Finish=15 Split1=3 Split2=7 Split3=11)",
        R"(IS_NCN UCID=4 UName="alice" PName="Alice" Total=5 Flags=4)",
        R"(IS_CNL UCID=4 Reason=LEAVR_DISCO Total=4)",
        R"(IS_CPR UCID=2 PName="Driver Two" Plate="FAKE 02")",
        R"(IS_NPL PLID=4 UCID=4 PType=4 Flags=PIF_AUTOCLUTCH PName="Alice" CName="LX4" )"
        R"(SName="default" Tyres=[TYRE_R2 TYRE_R2 TYRE_R2 TYRE_R2] NumP=4 Fuel=255)",
        R"(IS_PLP PLID=2)",
        R"(IS_PLL PLID=4)",
        R"(IS_LAP PLID=1 LTime=61250 ETime=61250 LapsDone=1 Flags=PIF_AUTOCLUTCH Fuel200=255)",
        R"(IS_SPX PLID=1 STime=15300 ETime=76550 Split=1 Fuel200=255)",
        R"(IS_PIT PLID=2 LapsDone=1 Flags=PIF_AUTOCLUTCH FuelAdd=255 NumStops=1 )"
        R"(Tyres=[TYRE_R3 TYRE_R3 TYRE_R3 TYRE_R3] Work=PSE_STOP|PSE_FR_WHL|PSE_RE_WHL)",
        R"(IS_PSF PLID=2 STime=12400)",
        R"(IS_PLA PLID=2 Fact=PITLANE_ENTER)",
        R"(IS_CCH PLID=1 Camera=VIEW_DRIVER)",
        R"(IS_PEN PLID=3 NewPen=PENALTY_DT Reason=PENR_SPEEDING)",
        R"(IS_TOC PLID=3 OldUCID=3 NewUCID=2)",
        R"(IS_FLG PLID=3 OffOn=1 Flag=1 CarBehind=1)",
        R"(IS_PFL PLID=1 Flags=PIF_AUTOCLUTCH|PIF_MOUSE)",
        R"(IS_FIN PLID=1 TTime=122500 BTime=61250 Confirm=CONF_MENTIONED LapsDone=2 )"
        R"(Flags=PIF_AUTOCLUTCH)",
        R"(IS_RES PLID=1 UName="driver1" PName="Driver 1" CName="UF1" TTime=122500 BTime=61250 )"
        R"(Confirm=CONF_MENTIONED|CONF_CONFIRMED LapsDone=2 Flags=PIF_AUTOCLUTCH NumRes=1)",
        R"(IS_REO NumP=3 PLID=[1 2 3])",
        R"(IS_NLP Info=[{Node=3 Lap=2 PLID=1 Position=1} {Node=14 Lap=1 PLID=2 Position=2} )"
        R"({Node=9 Lap=1 PLID=3 Position=3}])",
        R"(IS_MCI Info=[{Node=3 Lap=2 PLID=1 Position=1 Info=CCI_FIRST|CCI_LAST X=27525120 )"
        R"(Y=-45858816 Speed=12000 Direction=16384 Heading=16384 AngVel=-200}])",
        R"(IS_CRS PLID=3)",
        R"(IS_BFN SubT=BFN_REQUEST)",
        R"(IS_AXI AXStart=2 NumCP=3 NumO=42 LName="sprint")",
        R"(IS_AXO PLID=2)",
        R"(IS_BTC ReqI=1 ClickID=12 CFlags=ISB_LMB)",
        R"(IS_BTT ReqI=1 ClickID=13 TypeIn=16 Text="a name")",
        R"(IS_RIP ReqI=2 MPR=1 CTime=6000 TTime=90000 RName="race")",
        R"(IS_SSH ReqI=3 Name="shot_001")",
        R"(IS_CON SpClose=35 Time=1200 A={PLID=1 Steer=-4 ThrBrk=240 GearSp=48 Speed=30 )"
        R"(X=1600 Y=-2400} B={PLID=2 Steer=3 ThrBrk=15 GearSp=32 Speed=28 X=1610 Y=-2395})",
        R"(IS_OBH PLID=2 SpClose=20 Time=1300 C={Speed=12 X=800 Y=960} X=50 Y=60 Index=21 )"
        R"(OBHFlags=OBH_CAN_MOVE|OBH_WAS_MOVING)",
        R"(IS_HLV PLID=1 HLVC=1 Time=1400 C={Speed=25 X=400 Y=-320})",
        R"(IS_AXM NumO=1 PMOAction=PMO_ADD_OBJECTS Info=[{X=120 Y=-80 Zbyte=8 Index=21 )"
        R"(Heading=128}])",
        R"(IS_ACR UCID=2 Result=1 Text="/restart")",
        R"(IS_NCI UCID=4 UserID=123456 IPAddress=16777343)",
        R"(IS_UCO PLID=1 UCOAction=UCO_CP_FWD Time=4520 C={Speed=30 X=800 Y=-1600} )"
        R"(Info={X=50 Y=-100 Flags=1 Index=252})",
        R"(IS_SLC UCID=4 CName="LX4")",
        R"(IS_CSC PLID=3 CSCAction=CSC_STOP Time=5010 C={X=-320 Y=4800})",
        R"(IS_CIM UCID=2 Mode=CIM_GARAGE SubMode=6)",
        R"(IS_MAL NumM=1 UCID=0 SkinID=[0x5a3c21])",
        R"(IS_PLH)",
        R"(IS_IPB BanIPs=[{Octets=[10 0 0 7]}])",
    };
    return lines;
}

std::vector<Bytes> sample_records(int version) {
    std::vector<Bytes> records;
    for (const std::string_view line : sample_lines()) {
        std::string error;
        std::optional<Bytes> record = records::record_of(line, size_unit(version), error);
        if (!record) {
            throw std::logic_error("a sample record that is none: " + error);
        }
        if ((*record)[catalogue::kTypeAt] == catalogue::find("IS_VER")->type) {
            (*record)[kInSimVerAt] = static_cast<uint8_t>(version);
        }
        records.push_back(std::move(*record));
    }
    return records;
}

}  // namespace sim
