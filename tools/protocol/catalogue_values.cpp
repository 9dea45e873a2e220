#include "tools/protocol/catalogue_values.h"

namespace catalogue::values {
namespace {

constexpr ValueName kIsfNames[] = {
    {1, "ISF_RES_0", "spare, keep 0"},
    {2, "ISF_RES_1", "spare, keep 0"},
    {4, "ISF_LOCAL", "a guest-side tool: its buttons use the local button area"},
    {8, "ISF_MSO_COLS", "keep colour codes in IS_MSO text"},
    {16, "ISF_NLP", "receive IS_NLP at the interval"},
    {32, "ISF_MCI", "receive IS_MCI at the interval"},
    {64, "ISF_CON", "receive IS_CON"},
    {128, "ISF_OBH", "receive IS_OBH"},
    {256, "ISF_HLV", "receive IS_HLV"},
    {512, "ISF_AXM_LOAD", "receive IS_AXM when a layout is loaded"},
    {1024, "ISF_AXM_EDIT", "receive IS_AXM when objects are changed"},
    {2048, "ISF_REQ_JOIN", "join requests come to the program (IS_NPL with NumP 0)"},
};

constexpr ValueName kTinyNames[] = {
    {0, "TINY_NONE", "keep-alive; no answer"},
    {1, "TINY_VER", "request: IS_VER"},
    {2, "TINY_CLOSE", "close this program's connection"},
    {3, "TINY_PING", "request: IS_TINY TINY_REPLY"},
    {4, "TINY_REPLY", "the answer to TINY_PING"},
    {5, "TINY_VTC", "a vote was cancelled; from a program: cancel the vote"},
    {6, "TINY_SCP", "request: IS_CPP"},
    {7, "TINY_SST", "request: IS_STA"},
    {8, "TINY_GTH", "request: IS_SMALL SMALL_RTP"},
    {9, "TINY_MPE", "multiplayer ended"},
    {10, "TINY_ISM", "request: IS_ISM"},
    {11, "TINY_REN", "race ended, back to the race setup screen"},
    {12, "TINY_CLR", "all players cleared from the race"},
    {13, "TINY_NCN", "request: one IS_NCN per connection"},
    {14, "TINY_NPL", "request: one IS_NPL per player"},
    {15, "TINY_RES", "request: one IS_RES per result"},
    {16, "TINY_NLP", "request: one IS_NLP"},
    {17, "TINY_MCI", "request: one set of IS_MCI"},
    {18, "TINY_REO", "request: IS_REO"},
    {19, "TINY_RST", "request: IS_RST"},
    {20, "TINY_AXI", "request: IS_AXI"},
    {21, "TINY_AXC", "layout cleared of all objects"},
    {22, "TINY_RIP", "request: IS_RIP"},
    {23, "TINY_NCI", "request: one IS_NCI per guest (host only)"},
    {24, "TINY_ALC", "request: IS_SMALL SMALL_ALC"},
    {25, "TINY_AXM", "request: IS_AXM records for the whole layout"},
    {26, "TINY_SLC", "request: one IS_SLC per connection"},
    {27, "TINY_MAL", "request: IS_MAL"},
    {28, "TINY_PLH", "request: IS_PLH (0.7E; number not confirmed)"},
    {29, "TINY_IPB", "request: IS_IPB (0.7F; number not confirmed)"},
};

constexpr ValueName kSmallNames[] = {
    {0, "SMALL_NONE", "unused"},
    {1, "SMALL_SSP", "start motion datagrams; UVal the interval, 0 stops"},
    {2, "SMALL_SSG", "start dashboard datagrams; UVal the interval, 0 stops"},
    {3, "SMALL_VTA", "a vote passed; UVal the VOTE_ action"},
    {4, "SMALL_TMS", "UVal 1 stops time, 0 runs it on"},
    {5, "SMALL_STP", "while stopped: advance UVal hundredths of a second"},
    {6, "SMALL_RTP", "answer to TINY_GTH; UVal hundredths since the start"},
    {7, "SMALL_NLI", "NLP/MCI interval in ms, 0 stops"},
    {8, "SMALL_ALC", "allowed cars (car bits)"},
    {9, "SMALL_LCS", "local car switches"},
    {10, "SMALL_LCL", "light control (0.7E; number not confirmed)"},
};

constexpr ValueName kTtcNames[] = {
    {0, "TTC_NONE", "unused"},
    {1, "TTC_SEL", "request: IS_AXM with the layout editor's selection of UCID"},
    {2, "TTC_SEL_START", "request: IS_AXM each time that selection changes"},
    {3, "TTC_SEL_STOP", "end what TTC_SEL_START started"},
};

constexpr ValueName kIssNames[] = {
    {1, "ISS_GAME", "in game (or multiplayer replay)"},
    {2, "ISS_REPLAY", "in single-player replay"},
    {4, "ISS_PAUSED", "paused"},
    {8, "ISS_SHIFTU", "free view"},
    {16, "ISS_DIALOG", "a dialog is open"},
    {32, "ISS_SHIFTU_FOLLOW", "free view follows a car"},
    {64, "ISS_SHIFTU_NO_OPT", "free-view buttons hidden"},
    {128, "ISS_SHOW_2D", "2-D display shown"},
    {256, "ISS_FRONT_END", "entry screen"},
    {512, "ISS_MULTI", "multiplayer mode"},
    {1024, "ISS_MPSPEEDUP", "multiplayer speed-up option"},
    {2048, "ISS_WINDOWED", "running in a window"},
    {4096, "ISS_SOUND_MUTE", "sound off"},
    {8192, "ISS_VIEW_OVERRIDE", "user view overridden"},
    {16384, "ISS_VISIBLE", "program buttons visible"},
    {32768, "ISS_TEXT_ENTRY", "text-entry dialog open"},
};

constexpr ValueName kMsoNames[] = {
    {0, "MSO_SYSTEM", "system line"},
    {1, "MSO_USER", "normal visible chat"},
    {2, "MSO_PREFIX", "hidden line that started with the host prefix"},
    {3, "MSO_O", "hidden /o line typed on the local computer"},
};

constexpr ValueName kSndNames[] = {
    {0, "SND_SILENT", ""},     {1, "SND_MESSAGE", ""}, {2, "SND_SYSMESSAGE", ""},
    {3, "SND_INVALIDKEY", ""}, {4, "SND_ERROR", ""},
};

constexpr ValueName kVoteNames[] = {
    {0, "VOTE_NONE", ""},
    {1, "VOTE_END", "end race"},
    {2, "VOTE_RESTART", ""},
    {3, "VOTE_QUALIFY", ""},
};

constexpr ValueName kHostfNames[] = {
    {1, "HOSTF_CAN_VOTE", ""},  {2, "HOSTF_CAN_SELECT", ""},  {32, "HOSTF_MID_RACE", ""},
    {64, "HOSTF_MUST_PIT", ""}, {128, "HOSTF_CAN_RESET", ""}, {256, "HOSTF_FCV", ""},
    {512, "HOSTF_CRUISE", ""},
};

constexpr ValueName kLeavrNames[] = {
    {0, "LEAVR_DISCO", "plain disconnect"},
    {1, "LEAVR_TIMEOUT", ""},
    {2, "LEAVR_LOSTCONN", ""},
    {3, "LEAVR_KICKED", ""},
    {4, "LEAVR_BANNED", ""},
    {5, "LEAVR_SECURITY", ""},
    {6, "LEAVR_CPW", "cheat protection wrong"},
    {7, "LEAVR_OOS", "out of sync"},
    {8, "LEAVR_JOOS", "first sync failed"},
    {9, "LEAVR_HACK", "invalid packet"},
};

constexpr ValueName kCimNames[] = {
    {0, "CIM_NORMAL", ""},          {1, "CIM_OPTIONS", ""},    {2, "CIM_HOST_OPTIONS", ""},
    {3, "CIM_GARAGE", ""},          {4, "CIM_CAR_SELECT", ""}, {5, "CIM_TRACK_SELECT", ""},
    {6, "CIM_SHIFTU", "free view"},
};

constexpr ValueName kMarshNames[] = {
    {252, "MARSH_IS_CP", "control checkpoint"},
    {253, "MARSH_IS_AREA", "control circle"},
    {254, "MARSH_MARSHAL", "restricted area"},
    {255, "MARSH_ROUTE", "route checker"},
};

constexpr ValueName kPifNames[] = {
    {1, "PIF_LEFTSIDE", ""},         {2, "PIF_RESERVED_2", ""},     {4, "PIF_RESERVED_4", ""},
    {8, "PIF_AUTOGEARS", ""},        {16, "PIF_SHIFTER", ""},       {32, "PIF_RESERVED_32", ""},
    {64, "PIF_HELP_B", ""},          {128, "PIF_AXIS_CLUTCH", ""},  {256, "PIF_INPITS", ""},
    {512, "PIF_AUTOCLUTCH", ""},     {1024, "PIF_MOUSE", ""},       {2048, "PIF_KB_NO_HELP", ""},
    {4096, "PIF_KB_STABILISED", ""}, {8192, "PIF_CUSTOM_VIEW", ""},
};

constexpr ValueName kSetfNames[] = {
    {1, "SETF_SYMM_WHEELS", ""},
    {2, "SETF_TC_ENABLE", ""},
    {4, "SETF_ABS_ENABLE", ""},
};

constexpr ValueName kTyreNames[] = {
    {0, "TYRE_R1", ""},     {1, "TYRE_R2", ""},         {2, "TYRE_R3", ""},
    {3, "TYRE_R4", ""},     {4, "TYRE_ROAD_SUPER", ""}, {5, "TYRE_ROAD_NORMAL", ""},
    {6, "TYRE_HYBRID", ""}, {7, "TYRE_KNOBBLY", ""},    {255, "TYRE_NOT_CHANGED", ""},
};

constexpr ValueName kPseNames[] = {
    {1, "PSE_NOTHING", ""},        {2, "PSE_STOP", ""},         {4, "PSE_FR_DAM", ""},
    {8, "PSE_FR_WHL", ""},         {16, "PSE_LE_FR_DAM", ""},   {32, "PSE_LE_FR_WHL", ""},
    {64, "PSE_RI_FR_DAM", ""},     {128, "PSE_RI_FR_WHL", ""},  {256, "PSE_RE_DAM", ""},
    {512, "PSE_RE_WHL", ""},       {1024, "PSE_LE_RE_DAM", ""}, {2048, "PSE_LE_RE_WHL", ""},
    {4096, "PSE_RI_RE_DAM", ""},   {8192, "PSE_RI_RE_WHL", ""}, {16384, "PSE_BODY_MINOR", ""},
    {32768, "PSE_BODY_MAJOR", ""}, {65536, "PSE_SETUP", ""},    {131072, "PSE_REFUEL", ""},
};

constexpr ValueName kPitlaneNames[] = {
    {0, "PITLANE_EXIT", ""},       {1, "PITLANE_ENTER", ""},
    {2, "PITLANE_NO_PURPOSE", ""}, {3, "PITLANE_DT", "drive-through"},
    {4, "PITLANE_SG", "stop-go"},
};

constexpr ValueName kViewNames[] = {
    {0, "VIEW_FOLLOW", "arcade"}, {1, "VIEW_HELI", ""},
    {2, "VIEW_CAM", "TV camera"}, {3, "VIEW_DRIVER", "cockpit"},
    {4, "VIEW_CUSTOM", ""},       {255, "VIEW_ANOTHER", "looking at another car"},
};

constexpr ValueName kPenaltyNames[] = {
    {0, "PENALTY_NONE", ""},   {1, "PENALTY_DT", ""},       {2, "PENALTY_DT_VALID", ""},
    {3, "PENALTY_SG", ""},     {4, "PENALTY_SG_VALID", ""}, {5, "PENALTY_30", "30 s"},
    {6, "PENALTY_45", "45 s"},
};

constexpr ValueName kPenrNames[] = {
    {0, "PENR_UNKNOWN", "unknown, or cleared"},
    {1, "PENR_ADMIN", ""},
    {2, "PENR_WRONG_WAY", ""},
    {3, "PENR_FALSE_START", ""},
    {4, "PENR_SPEEDING", "in the pit lane"},
    {5, "PENR_STOP_SHORT", "stop-go too short"},
    {6, "PENR_STOP_LATE", "compulsory stop too late"},
};

constexpr ValueName kConfNames[] = {
    {1, "CONF_MENTIONED", ""},    {2, "CONF_CONFIRMED", ""},   {4, "CONF_PENALTY_DT", ""},
    {8, "CONF_PENALTY_SG", ""},   {16, "CONF_PENALTY_30", ""}, {32, "CONF_PENALTY_45", ""},
    {64, "CONF_DID_NOT_PIT", ""},
};

constexpr ValueName kObhNames[] = {
    {1, "OBH_LAYOUT", "an added layout object"},
    {2, "OBH_CAN_MOVE", "movable"},
    {4, "OBH_WAS_MOVING", ""},
    {8, "OBH_ON_SPOT", "still in its original position"},
};

constexpr ValueName kUcoNames[] = {
    {0, "UCO_CIRCLE_ENTER", ""},
    {1, "UCO_CIRCLE_LEAVE", ""},
    {2, "UCO_CP_FWD", "checkpoint crossed forward"},
    {3, "UCO_CP_REV", "checkpoint crossed in reverse"},
};

constexpr ValueName kCscNames[] = {
    {0, "CSC_STOP", ""},
    {1, "CSC_START", ""},
};

constexpr ValueName kBfnNames[] = {
    {0, "BFN_DEL_BTN", "delete one button or a range"},
    {1, "BFN_CLEAR", "delete all buttons of this program"},
    {2, "BFN_USER_CLEAR", "the user removed this program's buttons"},
    {3, "BFN_REQUEST", "the user asks for buttons"},
};

constexpr ValueName kIsbNames[] = {
    {1, "ISB_C1", "colour bit 0"},  {2, "ISB_C2", "colour bit 1"},
    {4, "ISB_C4", "colour bit 2"},  {8, "ISB_CLICK", "clickable, sends IS_BTC"},
    {16, "ISB_LIGHT", ""},          {32, "ISB_DARK", ""},
    {64, "ISB_LEFT", "align left"}, {128, "ISB_RIGHT", "align right"},
};

constexpr ValueName kClickNames[] = {
    {1, "ISB_LMB", "left click"},
    {2, "ISB_RMB", "right click"},
    {4, "ISB_CTRL", "CTRL held"},
    {8, "ISB_SHIFT", "SHIFT held"},
};

constexpr ValueName kInstNames[] = {
    {128, "INST_ALWAYS_ON", "shown on every screen"},
};

constexpr ValueName kJrrNames[] = {
    {0, "JRR_REJECT", ""},  {1, "JRR_SPAWN", ""},   {2, "JRR_2", "unused"},
    {3, "JRR_3", "unused"}, {4, "JRR_RESET", ""},   {5, "JRR_RESET_NO_REPAIR", ""},
    {6, "JRR_6", "unused"}, {7, "JRR_7", "unused"},
};

constexpr ValueName kRipNames[] = {
    {0, "RIP_OK", ""},
    {1, "RIP_ALREADY", "already there; also OK"},
    {2, "RIP_DEDICATED", ""},
    {3, "RIP_WRONG_MODE", ""},
    {4, "RIP_NOT_REPLAY", ""},
    {5, "RIP_CORRUPTED", ""},
    {6, "RIP_NOT_FOUND", ""},
    {7, "RIP_UNLOADABLE", ""},
    {8, "RIP_DEST_OOB", ""},
    {9, "RIP_UNKNOWN", ""},
    {10, "RIP_USER", "search stopped by the user"},
    {11, "RIP_OOS", ""},
};

constexpr ValueName kRipoptNames[] = {
    {1, "RIPOPT_LOOP", ""},
    {2, "RIPOPT_SKINS", ""},
    {4, "RIPOPT_FULL_PHYS", ""},
};

constexpr ValueName kSshNames[] = {
    {0, "SSH_OK", ""},
    {1, "SSH_DEDICATED", ""},
    {2, "SSH_CORRUPTED", ""},
    {3, "SSH_NO_SAVE", ""},
};

constexpr ValueName kPmoNames[] = {
    {0, "PMO_LOADING_FILE", ""},
    {1, "PMO_ADD_OBJECTS", ""},
    {2, "PMO_DEL_OBJECTS", ""},
    {3, "PMO_CLEAR_ALL", "NumO 0"},
    {4, "PMO_TINY_AXM", "answer to TINY_AXM"},
    {5, "PMO_TTC_SEL", "answer to TTC_SEL"},
    {6, "PMO_SELECTION", ""},
    {7, "PMO_POSITION", ""},
    {8, "PMO_GET_Z", ""},
};

constexpr ValueName kPmoFlagNames[] = {
    {1, "PMO_FILE_END", ""},
    {2, "PMO_MOVE_MODIFY", ""},
    {4, "PMO_SELECTION_REAL", ""},
    {8, "PMO_AVOID_CHECK", ""},
};

constexpr ValueName kOcoNames[] = {
    {4, "OCO_LIGHTS_RESET", ""},
    {5, "OCO_LIGHTS_SET", ""},
    {6, "OCO_LIGHTS_UNSET", ""},
};

constexpr ValueName kCciNames[] = {
    {1, "CCI_BLUE", "holding up a car a lap ahead"},
    {2, "CCI_YELLOW", "slow or stopped in a dangerous spot"},
    {32, "CCI_LAG", "position packets missing or late"},
    {64, "CCI_FIRST", "first car of this set of reports"},
    {128, "CCI_LAST", "last car of the set"},
};

}  // namespace

const Values kIsf{"ISF_ flags (IS_ISI.Flags)", true, kIsfNames};
const Values kTiny{"TINY_ sub-types (IS_TINY.SubT)", false, kTinyNames};
const Values kSmall{"SMALL_ sub-types (IS_SMALL.SubT)", false, kSmallNames};
const Values kTtc{"TTC_ sub-types (IS_TTC.SubT)", false, kTtcNames};
const Values kIss{"ISS_ state flags", true, kIssNames};
const Values kMso{"MSO_ user types (IS_MSO.UserType)", false, kMsoNames};
const Values kSnd{"SND_ message sounds", false, kSndNames};
const Values kVote{"VOTE_ actions", false, kVoteNames};
const Values kHostf{"HOSTF_ race flags (IS_RST.Flags)", true, kHostfNames};
const Values kLeavr{"LEAVR_ leave reasons (IS_CNL.Reason)", false, kLeavrNames};
const Values kCim{"CIM_ interface modes (IS_CIM.Mode)", false, kCimNames};
const Values kMarsh{"MARSH_ selected objects (IS_CIM.SelType)", false, kMarshNames};
const Values kPif{"PIF_ player flags", true, kPifNames};
const Values kSetf{"SETF_ setup flags (IS_NPL.SetF)", true, kSetfNames};
const Values kTyre{"TYRE_ compounds", false, kTyreNames};
const Values kPse{"PSE_ pit work (IS_PIT.Work)", true, kPseNames};
const Values kPitlane{"PITLANE_ facts (IS_PLA.Fact)", false, kPitlaneNames};
const Values kView{"VIEW_ cameras", false, kViewNames};
const Values kPenalty{"PENALTY_ penalties", false, kPenaltyNames};
const Values kPenr{"PENR_ penalty reasons (IS_PEN.Reason)", false, kPenrNames};
const Values kConf{"CONF_ confirmation flags (IS_FIN, IS_RES)", true, kConfNames};
const Values kObh{"OBH_ flags (IS_OBH.OBHFlags)", true, kObhNames};
const Values kUco{"UCO_ actions (IS_UCO.UCOAction)", false, kUcoNames};
const Values kCsc{"CSC_ actions (IS_CSC.CSCAction)", false, kCscNames};
const Values kBfn{"BFN_ sub-types (IS_BFN.SubT)", false, kBfnNames};
const Values kIsb{"ISB_ button styles (IS_BTN.BStyle)", true, kIsbNames};
const Values kClick{"ISB_ click flags (IS_BTC.CFlags)", true, kClickNames};
const Values kInst{"INST_ flags (button Inst)", true, kInstNames};
const Values kJrr{"JRR_ actions (IS_JRR.JRRAction)", false, kJrrNames};
const Values kRip{"RIP_ errors (IS_RIP.Error)", false, kRipNames};
const Values kRipopt{"RIPOPT_ options (IS_RIP.Options)", true, kRipoptNames};
const Values kSsh{"SSH_ errors (IS_SSH.Error)", false, kSshNames};
const Values kPmo{"PMO_ actions (IS_AXM.PMOAction)", false, kPmoNames};
const Values kPmoFlags{"PMO_ flags (IS_AXM.PMOFlags)", true, kPmoFlagNames};
const Values kOco{"OCO_ actions (IS_OCO.OCOAction)", false, kOcoNames};
const Values kCci{"CCI_ car flags (CompCar.Info, CarContact.Info)", true, kCciNames};

}  // namespace catalogue::values
