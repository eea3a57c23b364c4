// Every text the installer shows the user: the status button's texts and the
// message boxes. The download client's own error texts live with the client
// (net/http_file_client.h) and reach the user through the fetch.
#pragma once

// Status button.
inline constexpr wchar_t kConnectDeviceText[] = L"请连接你的苹果设备";
inline constexpr wchar_t kNotJailbrokenText[] = L"这个设备没有越狱,请先越狱!";
inline constexpr wchar_t kReadyTextFormat[] = L"点击安装到:%s";
inline constexpr wchar_t kInstallingText[] = L"正在安装,请稍候..";
inline constexpr wchar_t kInstallFailedText[] = L"安装失败,请重试";
inline constexpr wchar_t kInstallDoneText[] = L"安装完毕,请重启手机,使安装生效!";
inline constexpr wchar_t kFetchQueryFailedText[] = L"更新地址获取失败,此问题频繁出现请反馈";
// "正在下载:" followed by the percentage with two decimals and "%".
inline constexpr wchar_t kDownloadProgressFormat[] = L"正在下载:%.2f%%";

// Message boxes of the install and the fetch (title kMessageTitle).
inline constexpr wchar_t kNoFolderMessage[] = L"无法创建设备内的指定文件夹";
inline constexpr wchar_t kNoDeviceFileMessage[] = L"无法创建设备内的指定文件";
inline constexpr wchar_t kNoLocalFileMessage[] = L"无法访问指定文件";
inline constexpr wchar_t kCopyFailedMessage[] = L"无法写入设备内的指定文件";
inline constexpr wchar_t kFetchCannotConnectMessage[] = L"下载失败:无法连接下载服务器!";
inline constexpr wchar_t kMessageTitle[] = L"Tovane安装程序";

// Start-up without the Apple libraries (title kStartupTitle).
inline constexpr wchar_t kLibrariesMissingText[] = L"iTunes驱动加载失败,是否正确安装了iTunes?";
inline constexpr wchar_t kStartupTitle[] = L"提示";
