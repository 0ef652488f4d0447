#include "tests/downloader/real_servers.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace zelvor::test {
namespace {

constexpr int kStartMs = 10000;

std::string startFailure(const std::string& program, const std::string& log) {
  return program + " did not start on 127.0.0.1; its output:\n" + readFile(log);
}

// The local FTP user with a known password; created once per machine.
std::string ensureFtpUser() {
  if (::geteuid() != 0) return "vsftpd tests need root (to run vsftpd and to create the user zelvorftp)";
  // vsftpd enters the home folder before local_root, so it must exist.
  const std::string homeFolder = std::string("/var/lib/") + kFtpUser;
  ::mkdir(homeFolder.c_str(), 0755);
  if (::getpwnam(kFtpUser) == nullptr) {
    const std::string add = "useradd -M -d " + homeFolder + " -s /bin/sh " + kFtpUser + " 2>/dev/null";
    if (std::system(add.c_str()) != 0 && ::getpwnam(kFtpUser) == nullptr) return "cannot create the user zelvorftp";
  }
  if (homeFolder != ::getpwnam(kFtpUser)->pw_dir) {
    const std::string move = "usermod -d " + homeFolder + " " + kFtpUser;
    if (std::system(move.c_str()) != 0) return "cannot set the home folder of zelvorftp";
  }
  const std::string set = std::string("echo '") + kFtpUser + ":" + kFtpPassword + "' | chpasswd";
  if (std::system(set.c_str()) != 0) return "cannot set the password of zelvorftp";
  return {};
}

}  // namespace

Lighttpd::Lighttpd(const TempFolder& temp, const std::string& root, ServerOptions options) {
  const std::string program = findProgram("lighttpd");
  if (program.empty()) {
    error_ = "lighttpd is not installed (Debian package lighttpd)";
    return;
  }
  port_ = freePort();
  const std::string conf = temp.file("lighttpd.conf");
  const std::string log = temp.file("lighttpd.log");
  std::string text;
  text += "server.modules = ( \"mod_redirect\" )\n";
  text += "server.document-root = \"" + root + "\"\n";
  text += "server.bind = \"127.0.0.1\"\n";
  text += "server.port = " + std::to_string(port_) + "\n";
  text += "server.errorlog = \"" + log + "\"\n";
  text += "mimetype.assign = ( \"\" => \"application/octet-stream\" )\n";
  text += "url.redirect-code = 302\n";
  text += "url.redirect = ( \"^/chain1$\" => \"/chain2\", \"^/chain2$\" => \"" + url("/f.bin") + "\" )\n";
  if (options.bytesPerSecond > 0) {
    text += "connection.kbytes-per-second = " + std::to_string(options.bytesPerSecond / 1024) + "\n";
  }
  writeFile(conf, text);
  process_ = std::make_unique<ChildProcess>(std::vector<std::string>{program, "-D", "-f", conf}, log);
  if (!process_->started() || !waitForPort(port_, kStartMs)) error_ = startFailure("lighttpd", log);
}

std::string Lighttpd::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

Vsftpd::Vsftpd(const TempFolder& temp, const std::string& anonRoot, const std::string& localRoot,
               ServerOptions options) {
  const std::string program = findProgram("vsftpd");
  if (program.empty()) {
    error_ = "vsftpd is not installed (Debian package vsftpd)";
    return;
  }
  error_ = ensureFtpUser();
  if (!error_.empty()) return;
  if (::getpwnam("ftp") == nullptr) {
    error_ = "the user ftp for anonymous logins is missing (the vsftpd package creates it)";
    return;
  }
  port_ = freePort();
  const std::string empty = temp.file("vsftpd-empty");
  ::mkdir(empty.c_str(), 0755);
  const std::string conf = temp.file("vsftpd.conf");
  const std::string log = temp.file("vsftpd.log");
  std::string text;
  text += "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nbackground=NO\n";
  text += "listen_port=" + std::to_string(port_) + "\n";
  text += "anonymous_enable=YES\nno_anon_password=YES\nftp_username=ftp\n";
  text += "anon_root=" + anonRoot + "\n";
  text += "local_enable=YES\nchroot_local_user=YES\nlocal_root=" + localRoot + "\n";
  text += "write_enable=NO\npasv_enable=YES\nseccomp_sandbox=NO\nxferlog_enable=NO\n";
  text += "secure_chroot_dir=" + empty + "\npam_service_name=vsftpd\nuserlist_enable=NO\n";
  text += "vsftpd_log_file=" + log + "\n";
  if (options.bytesPerSecond > 0) {
    text += "anon_max_rate=" + std::to_string(options.bytesPerSecond) + "\n";
    text += "local_max_rate=" + std::to_string(options.bytesPerSecond) + "\n";
  }
  writeFile(conf, text);
  process_ = std::make_unique<ChildProcess>(std::vector<std::string>{program, conf}, log);
  if (!process_->started() || !waitForPort(port_, kStartMs)) error_ = startFailure("vsftpd", log);
}

std::string Vsftpd::url(const std::string& path, bool localUser) const {
  const std::string credentials = localUser ? std::string(kFtpUser) + ":" + kFtpPassword + "@" : "";
  return "ftp://" + credentials + "127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace zelvor::test
