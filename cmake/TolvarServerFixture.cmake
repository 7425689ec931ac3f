# Loopback servers for the tests, started and stopped by CTest fixtures. Test binaries of the
# cross tree run under Wine and cannot start Linux processes themselves, so CTest starts the
# server before the first test that needs it and stops it after the last one.
#
# tolvar_server_fixture(<fixture> COMMAND <server command and arguments...> [LIFETIME <seconds>])
#   Adds the tests <fixture>_start (FIXTURES_SETUP) and <fixture>_stop (FIXTURES_CLEANUP). The
#   command must take --port, --url-file, --pid-file, --lifetime and --watch-pid as the servers
#   in tools/testserver do; the server listens on a free loopback port and writes its URL root
#   (http://127.0.0.1:PORT) to <state>/url. It ends itself when the test run is gone or after
#   LIFETIME seconds (default 1800), should the stop test never run.
#
# tolvar_update_server_fixture(<fixture> [LIFETIME <seconds>])
#   The project's update server, serving <state>/root, logging to <state>/requests.log and
#   reading its faults from <state>/faults.json.
#
# tolvar_directory_server_fixture(<fixture> [LIFETIME <seconds>])
#   Python's own http.server file handler, serving <state>/root.
#
# tolvar_feed_signer_fixture(<fixture> KEYS <names...> [LIFETIME <seconds>])
#   Signs server roots with the host tool feedsign on request, for tests under Wine: a key pair
#   per name, made at start in <state>/keys (tools/testserver/sign_server.py).
#
# tolvar_tool_runner_fixture(<fixture> TOOLS <name=path>... [LIFETIME <seconds>])
#   Runs the named host tools on request, for tests under Wine (tools/testserver/tool_server.py).
#
# tolvar_tls_server_fixture(<fixture> [LIFETIME <seconds>])
#   The update server over TLS with the servers a client must refuse beside it
#   (tools/testserver/tls_server.py), serving <state>/root as the update server fixture does; its
#   URL is https://localhost:PORT, the others' are in <state>/url-<name>. The certificates are
#   made at test time (fixture tls_certs, tools/testserver/make_test_certs.py).
#
# tolvar_proxy_server_fixture(<fixture> [LIFETIME <seconds>])
#   A forward proxy on loopback (tools/testserver/proxy_server.py) through which the host name
#   updates.proxy.test reaches 127.0.0.1, which nothing else resolves: a server only the proxy
#   can reach. It logs to <state>/requests.log, reads its faults from <state>/faults.json, serves
#   configuration scripts at /proxy.pac and /broken.pac, and names a refusing port in
#   <state>/url-refused.
#
# tolvar_use_tls_server(<test> <fixture>...)
#   tolvar_use_server, and the test authority trusted in the test prefix for the test's run
#   (fixture tls_trust: trustroot under Wine adds it to the prefix's Root store and removes it
#   at the end; the host's trust is never touched).
#
# tolvar_use_server(<test> <fixture>...)
#   The test needs those servers: FIXTURES_REQUIRED, a RESOURCE_LOCK per server (tests that
#   change a server's faults must not overlap), and TOLVAR_SERVER_<FIXTURE>=<state> in its
#   environment (<FIXTURE> upper-cased, other characters than letters and digits as "_").
#   Test code reads it with tolvar::testserver::FindTestServer (target tolvar_test_server).
#
# tolvar_server_state_dir(<variable> <fixture>)
#   The state directory of a fixture: ${CMAKE_BINARY_DIR}/test-servers/<fixture>.

find_program(TOLVAR_PYTHON3 NAMES python3 REQUIRED)
set(TOLVAR_TESTSERVER_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/testserver)
cmake_path(NORMAL_PATH TOLVAR_TESTSERVER_DIR)

function(tolvar_server_state_dir variable fixture)
  set(${variable} ${CMAKE_BINARY_DIR}/test-servers/${fixture} PARENT_SCOPE)
endfunction()

function(tolvar_server_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "COMMAND" ${ARGN})
  if(NOT F_COMMAND)
    message(FATAL_ERROR "tolvar_server_fixture(${fixture}): COMMAND is missing")
  endif()
  if(NOT F_LIFETIME)
    set(F_LIFETIME 1800)
  endif()
  tolvar_server_state_dir(state ${fixture})
  set(launcher ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/server_fixture.py)
  add_test(NAME ${fixture}_start COMMAND ${launcher} start --state ${state} --lifetime ${F_LIFETIME} -- ${F_COMMAND})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture} TIMEOUT 60)
  add_test(NAME ${fixture}_stop COMMAND ${launcher} stop --state ${state})
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture} TIMEOUT 30)
endfunction()

function(tolvar_update_server_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "" ${ARGN})
  tolvar_server_state_dir(state ${fixture})
  tolvar_server_fixture(${fixture} LIFETIME ${F_LIFETIME}
    COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/update_server.py
            --root ${state}/root --log ${state}/requests.log --faults ${state}/faults.json)
endfunction()

function(tolvar_directory_server_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "" ${ARGN})
  tolvar_server_state_dir(state ${fixture})
  tolvar_server_fixture(${fixture} LIFETIME ${F_LIFETIME}
    COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/serve_directory.py --root ${state}/root)
endfunction()

function(tolvar_feed_signer_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "KEYS" ${ARGN})
  tolvar_server_state_dir(state ${fixture})
  set(keys)
  foreach(key ${F_KEYS})
    list(APPEND keys --key ${key})
  endforeach()
  tolvar_server_fixture(${fixture} LIFETIME ${F_LIFETIME}
    COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/sign_server.py --feedsign ${TOLVAR_HOST_BIN}/feedsign
            --keys ${state}/keys ${keys})
endfunction()

function(tolvar_tool_runner_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "TOOLS" ${ARGN})
  set(tools)
  foreach(tool ${F_TOOLS})
    list(APPEND tools --tool ${tool})
  endforeach()
  tolvar_server_fixture(${fixture} LIFETIME ${F_LIFETIME}
    COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/tool_server.py ${tools})
endfunction()

function(tolvar_use_server test)
  foreach(fixture ${ARGN})
    tolvar_server_state_dir(state ${fixture})
    string(TOUPPER ${fixture} name)
    string(MAKE_C_IDENTIFIER ${name} name)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${fixture})
    set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK test-server-${fixture})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "TOLVAR_SERVER_${name}=${state}")
  endforeach()
endfunction()

function(tolvar_tls_fixtures)
  if(TEST tls_certs_make)
    return()
  endif()
  tolvar_server_state_dir(certs tls_certs)
  # The good certificate names the proxy's server too, reached only through a tunnel.
  add_test(NAME tls_certs_make COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/make_test_certs.py --out ${certs}
           --alias updates.proxy.test)
  set_tests_properties(tls_certs_make PROPERTIES FIXTURES_SETUP tls_certs TIMEOUT 120)
  if(TOLVAR_WINDOWS)
    # The program under Wine names the build machine's files through drive Z:.
    add_test(NAME tls_trust_add COMMAND trustroot add Z:${certs}/authority.pem)
    set_tests_properties(tls_trust_add PROPERTIES FIXTURES_SETUP tls_trust FIXTURES_REQUIRED tls_certs TIMEOUT 120)
    add_test(NAME tls_trust_remove COMMAND trustroot remove Z:${certs}/authority.pem)
    set_tests_properties(tls_trust_remove PROPERTIES FIXTURES_CLEANUP tls_trust TIMEOUT 120)
  endif()
endfunction()

function(tolvar_tls_server_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "" ${ARGN})
  tolvar_tls_fixtures()
  tolvar_server_state_dir(state ${fixture})
  tolvar_server_state_dir(certs tls_certs)
  tolvar_server_fixture(${fixture} LIFETIME ${F_LIFETIME}
    COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/tls_server.py --certs ${certs}
            --root ${state}/root --log ${state}/requests.log --faults ${state}/faults.json)
  set_property(TEST ${fixture}_start APPEND PROPERTY FIXTURES_REQUIRED tls_certs)
endfunction()

function(tolvar_proxy_server_fixture fixture)
  cmake_parse_arguments(F "" "LIFETIME" "" ${ARGN})
  tolvar_server_state_dir(state ${fixture})
  tolvar_server_fixture(${fixture} LIFETIME ${F_LIFETIME}
    COMMAND ${TOLVAR_PYTHON3} ${TOLVAR_TESTSERVER_DIR}/proxy_server.py --resolve updates.proxy.test=127.0.0.1
            --log ${state}/requests.log --faults ${state}/faults.json)
endfunction()

function(tolvar_use_tls_server test)
  tolvar_use_server(${test} ${ARGN})
  set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED tls_trust)
endfunction()
