// Values the ranking service expects for each list item. Kept apart from the builder's logic so
// the tables can be read against the lists at a glance.
#include "app/QueryBuilder.h"

namespace app {

// Item 0 ("all categories") sends no category at all, hence the empty id.
const std::array<std::string_view, kCategoryCount> kCategoryIds = {
    "",         "16",       "1801",     "50010788", "30",       "50011740", "50006843", "50006842",
    "50010404", "1625",     "50011699", "50010388", "50022517", "50008165", "1512",     "50012081",
    "14",       "1201",     "1101",     "50019780", "11",       "50018222", "50018264", "50008090",
    "50012164", "50007218", "50018004", "20",       "50022703", "50011972", "50012100", "50012082",
    "50002768", "27",       "50020332", "50020485", "50020579", "50008164", "50020611", "50020670",
    "50020808", "50020857", "50011949", "21",       "50016349", "50016348", "50008163", "35",
    "50014812", "50005998", "50020276", "50020275", "50002766", "50016422", "50008075", "40",
    "50010728", "50013886", "25",       "50011665", "50008907", "99",       "23",       "50007216",
    "26",       "50004958", "50005700", "50011397", "28",       "33",       "34",       "50017300",
    "29",       "2813",     "50013864", "50018252", "50014442", "50014811",
};

// The first locations are groups of places; the service takes a group as a comma-separated list.
const std::array<std::u16string_view, kRegionGroupCount> kRegionValues = {
    u"",
    u"江苏,浙江,上海",
    u"广州,深圳,中山,珠海,佛山,东莞,惠州",
    u"香港,澳门,台湾",
    u"美国,英国,法国,瑞士,澳洲,新西兰,加拿大,奥地利,韩国,日本,德国,意大利,西班牙,俄罗斯,泰国,印度,"
    u"荷兰,新加坡,其它国家",
};

const std::array<std::string_view, kSortCount> kSortKeys = {
    "commissionVolume_desc", "commissionNum_desc", "price_asc", "price_desc", "credit_desc",
};

const std::array<std::string_view, kCreditLevelCount> kCreditLevels = {
    "1heart",       "2heart",       "3heart",       "4heart",       "5heart",
    "1diamond",     "2diamond",     "3diamond",     "4diamond",     "5diamond",
    "1crown",       "2crown",       "3crown",       "4crown",       "5crown",
    "1goldencrown", "2goldencrown", "3goldencrown", "4goldencrown", "5goldencrown",
};

}  // namespace app
