/* A GIO module standing in for a desktop's file-system daemon client (gvfs): a VFS that GIO takes
 * over its own local one, and that connects to the session bus as it starts, waiting on the bus
 * without any limit. Files are the local VFS's. Loaded by tests through GIO_EXTRA_MODULES. */
#include <gio/gio.h>

typedef struct {
  GVfs parent;
} SessionBusVfs;

typedef struct {
  GVfsClass parent;
} SessionBusVfsClass;

GType session_bus_vfs_get_type(void);

G_DEFINE_DYNAMIC_TYPE(SessionBusVfs, session_bus_vfs, G_TYPE_VFS)

static void session_bus_vfs_init(SessionBusVfs* vfs)
{
  (void)vfs;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, NULL, NULL);
  if (bus) g_object_unref(bus);
}

static gboolean is_active(GVfs* vfs)
{
  (void)vfs;
  return TRUE;
}

static GFile* file_for_path(GVfs* vfs, const char* path)
{
  (void)vfs;
  return g_vfs_get_file_for_path(g_vfs_get_local(), path);
}

static GFile* file_for_uri(GVfs* vfs, const char* uri)
{
  (void)vfs;
  return g_vfs_get_file_for_uri(g_vfs_get_local(), uri);
}

static const gchar* const* supported_schemes(GVfs* vfs)
{
  (void)vfs;
  return g_vfs_get_supported_uri_schemes(g_vfs_get_local());
}

static GFile* parse_name(GVfs* vfs, const char* name)
{
  (void)vfs;
  return g_vfs_parse_name(g_vfs_get_local(), name);
}

static void session_bus_vfs_class_init(SessionBusVfsClass* klass)
{
  GVfsClass* vfs = G_VFS_CLASS(klass);
  vfs->is_active = is_active;
  vfs->get_file_for_path = file_for_path;
  vfs->get_file_for_uri = file_for_uri;
  vfs->get_supported_uri_schemes = supported_schemes;
  vfs->parse_name = parse_name;
}

static void session_bus_vfs_class_finalize(SessionBusVfsClass* klass) { (void)klass; }

G_MODULE_EXPORT void g_io_module_load(GIOModule* module)
{
  g_type_module_use(G_TYPE_MODULE(module));
  session_bus_vfs_register_type(G_TYPE_MODULE(module));
  g_io_extension_point_implement(G_VFS_EXTENSION_POINT_NAME, session_bus_vfs_get_type(), "session-bus-vfs", 100);
}

G_MODULE_EXPORT void g_io_module_unload(GIOModule* module) { (void)module; }
