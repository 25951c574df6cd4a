#pragma once

// The fixed pieces of markup that the program looks for in the site's pages,
// and the captions the pages show. All of them are code page 936 bytes.

#include <string_view>

namespace vx::demo_texts {

// The track table's header cell; the reader starts its cut right after it.
// "...>操作</td>\r"
inline constexpr std::string_view kHeaderMarker =
    "<td width=\"80\" align=\"center\" bgcolor=\"#353535\">\xB2\xD9\xD7\xF7</td>\r";
// The pager cell that ends the track table on list pages of kinds 1, 2, 3 and 5.
inline constexpr std::string_view kPagerMarker = "<td height=\"50\"><div class=\"List_Page\">\r";
// The note that ends the track table on album list pages (kind 4).
// "...>查看更多内容，请下载PC电脑客户端<a"
inline constexpr std::string_view kMoreContentMarker =
    "<div class=\"fenLeiMore\">"
    "\xB2\xE9\xBF\xB4\xB8\xFC\xB6\xE0\xC4\xDA\xC8\xDD\xA3\xAC\xC7\xEB\xCF\xC2\xD4\xD8PC\xB5\xE7"
    "\xC4\xD4\xBF\xCD\xBB\xA7\xB6\xCB<a";

// The player script's media line: kMediaLineStart, the media id, kMediaLineEnd.
inline constexpr std::string_view kMediaLineStart = "url: musicUrl + '";
inline constexpr std::string_view kMediaLineEnd = ".mp3',\r\n";

// The update notice: kVersionStart, the published version, kVersionEnd.
// "...>软件版本号："
inline constexpr std::string_view kVersionStart =
    "<strong><span style=\"color:#E53333;\">\xC8\xED\xBC\xFE\xB0\xE6\xB1\xBE\xBA\xC5\xA3\xBA";
inline constexpr std::string_view kVersionEnd = "</span></strong> ";

// Escaped line breaks and tabs that the site's templates leave in the table
// markup; the reader removes the backslashes and then this residue.
inline constexpr std::string_view kEscapedBreaks = "\\n\\t\\t\\t\\n\\t\\t\\t\\t";

// Captions.
inline constexpr std::string_view kTrackNameCaption =
    "\xCE\xE8\xC7\xFA\xC3\xFB\xB3\xC6";                                              // 舞曲名称
inline constexpr std::string_view kPopularityCaption = "\xC8\xCB\xC6\xF8";           // 人气
inline constexpr std::string_view kListenCaption = "\xCA\xD4\xCC\xFD";               // 试听
inline constexpr std::string_view kDownloadCaption = "\xCF\xC2\xD4\xD8";             // 下载
inline constexpr std::string_view kFirstPage = "\xCA\xD7\xD2\xB3";                   // 首页
inline constexpr std::string_view kPreviousPage = "\xC9\xCF\xD2\xBB\xD2\xB3";        // 上一页
inline constexpr std::string_view kNextPage = "\xCF\xC2\xD2\xBB\xD2\xB3";            // 下一页
inline constexpr std::string_view kLastPage = "\xCE\xB2\xD2\xB3";                    // 尾页
inline constexpr std::string_view kSiteName = "\xCE\xE8\xC7\xFA\xCD\xF8";            // 舞曲网
inline constexpr std::string_view kNowPlaying = "\xD5\xFD\xD4\xDA\xB2\xA5\xB7\xC5";  // 正在播放
inline constexpr std::string_view kBackToList = "\xB7\xB5\xBB\xD8\xC1\xD0\xB1\xED";  // 返回列表
inline constexpr std::string_view kLoading = "\xBC\xD3\xD4\xD8\xD6\xD0";             // 加载中
inline constexpr std::string_view kAuthorHome = "\xD7\xF7\xD5\xDF\xD6\xF7\xD2\xB3";  // 作者主页
inline constexpr std::string_view kChangeLog = "\xB8\xFC\xD0\xC2\xC8\xD5\xD6\xBE";   // 更新日志
// 修复了若干问题
inline constexpr std::string_view kFixedIssues =
    "\xD0\xDE\xB8\xB4\xC1\xCB\xC8\xF4\xB8\xC9\xCE\xCA\xCC\xE2";
inline constexpr std::string_view kSoftwareDownload =
    "\xC8\xED\xBC\xFE\xCF\xC2\xD4\xD8";  // 软件下载

}  // namespace vx::demo_texts
